#include "platform/grid/gridlook.h"

#include <QPalette>

namespace {

const GridStyle *rowStyle(const GridStyles &s, bool odd)
{
    if (odd && s.oddRow)
        return &*s.oddRow;
    if (!odd && s.evenRow)
        return &*s.evenRow;
    if (s.content)
        return &*s.content;
    return nullptr;
}

} // namespace

QColor GridLook::cellBackground(bool selected, bool odd) const
{
    if (selected && styles.selection && styles.selection->background.isValid())
        return styles.selection->background;
    if (selected)
        return QPalette().color(QPalette::Active, QPalette::Highlight);
    const GridStyle *s = rowStyle(styles, odd);
    if (s && s->background.isValid())
        return s->background;
    return QPalette().color(QPalette::Base);
}

QColor GridLook::cellForeground(bool selected, bool odd) const
{
    if (selected) {
        if (styles.selection && styles.selection->text.isValid())
            return styles.selection->text;
        if (styles.selection)
            return QPalette().color(QPalette::Text);
        return QPalette().color(QPalette::Active, QPalette::HighlightedText);
    }
    const GridStyle *s = rowStyle(styles, odd);
    if (s && s->text.isValid())
        return s->text;
    if (styles.content && styles.content->text.isValid())
        return styles.content->text;
    return QPalette().color(QPalette::Text);
}

QFont GridLook::cellFont() const
{
    if (styles.content && styles.content->font)
        return *styles.content->font;
    return font;
}

QColor GridLook::headerBackground() const
{
    if (styles.header && styles.header->background.isValid())
        return styles.header->background;
    return QPalette().color(QPalette::Button);
}

QColor GridLook::headerForeground() const
{
    if (styles.header && styles.header->text.isValid())
        return styles.header->text;
    return QPalette().color(QPalette::ButtonText);
}

QFont GridLook::headerFont() const
{
    if (styles.header && styles.header->font)
        return *styles.header->font;
    return font;
}
