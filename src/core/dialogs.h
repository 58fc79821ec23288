#pragma once
// The one dialog seam. Every message dialog, plain message box, file dialog,
// system sound and "open with the system's program" goes through the installed
// presenter: the program installs the Qt presenter (core/ui/qtdialogpresenter.h),
// tests install a DialogRecorder (core/dialogrecorder.h).
//
// The free functions below may be called from any thread: from a worker they
// hand the request to the main thread and wait for the answer. Presenters are
// therefore only ever called on the main thread.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>

// Message dialog kinds, numbered as the program passes them.
enum TMsgDlgType : int {
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3, // question
    mtCustom = 4,
};

// Dialog buttons, numbered in the order of the button set's bits.
enum TMsgDlgBtn : int {
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbNoToAll = 8,
    mbYesToAll = 9,
    mbHelp = 10,
    mbClose = 11,
};
constexpr int TMsgDlgBtnCount = 12;

// A set of dialog buttons: bit n holds button n (OK alone is 4, Yes+No is 3).
class TMsgDlgButtons
{
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (TMsgDlgBtn b : buttons)
            m_bits |= bit(b);
    }
    static constexpr TMsgDlgButtons fromBits(std::uint32_t bits)
    {
        TMsgDlgButtons s;
        s.m_bits = bits & ((1u << TMsgDlgBtnCount) - 1);
        return s;
    }
    constexpr std::uint32_t bits() const { return m_bits; }
    constexpr bool contains(TMsgDlgBtn b) const { return (m_bits & bit(b)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr TMsgDlgButtons& operator<<(TMsgDlgBtn b)
    {
        m_bits |= bit(b);
        return *this;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr std::uint32_t bit(TMsgDlgBtn b) { return 1u << static_cast<int>(b); }
    std::uint32_t m_bits = 0;
};

// Modal results: what a dialog returns for the pressed button. Callers compare
// with mrYes (6) and mrNo (7); mrNone means the dialog was closed otherwise.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrHelp = 9,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

// The modal result a button gives.
TModalResult modalResultOf(TMsgDlgBtn button);

// What MesajGoster asks the presenter to show.
struct MessageDialogRequest
{
    QString text;
    TMsgDlgType kind = mtInformation;
    TMsgDlgButtons buttons = {mbOK};
    TMsgDlgBtn focused = mbOK; // takes the initial focus; always a button of the set
};

// A plain system message box (not MesajGoster's look): centred on the screen,
// caption as given, the icon of the kind (mtCustom: none), buttons as given.
struct MessageBoxRequest
{
    QString text;
    QString caption;
    TMsgDlgType kind = mtCustom;
    TMsgDlgButtons buttons = {mbOK};
};

// A save or open file dialog. The filter is written as the windows declare
// it: pairs "Name|pattern" joined by "|", e.g. "Excel|*.xls*".
struct FileDialogRequest
{
    QString caption;
    QString filter;
    QString directory;
    QString fileName;      // proposed name
    QString defaultSuffix; // appended when the user types a name without one
};

// Opening a document or address with the system's program; with arguments the
// target is started as a program with those arguments.
struct OpenRequest
{
    QString target; // a local file path or an address (http://, https://, mailto:, file://)
    QStringList arguments;
};

class DialogPresenter
{
public:
    virtual ~DialogPresenter();

    virtual int messageDialog(const MessageDialogRequest& request) = 0;
    virtual int messageBox(const MessageBoxRequest& request) = 0;
    // Empty when cancelled.
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    // The system sound of a dialog kind (mtCustom plays none).
    virtual void playSound(TMsgDlgType kind) = 0;
    // False when the system could not open the target.
    virtual bool openWithSystem(const OpenRequest& request) = 0;
};

// Installs the presenter used from now on (not owned; nullptr uninstalls).
// Returns the one installed before, so a test can restore it.
DialogPresenter* installDialogPresenter(DialogPresenter* presenter);
DialogPresenter* dialogPresenter();

// The entry points everyone calls. Without an installed presenter they
// report the request on stderr and answer "cancelled" (mrNone / empty / false),
// so a missing presenter is loud, never a silent success.
int showMessageDialog(const MessageDialogRequest& request);
int showMessageBox(const MessageBoxRequest& request);
QString askSaveFileName(const FileDialogRequest& request);
QString askOpenFileName(const FileDialogRequest& request);
void playDialogSound(TMsgDlgType kind);
bool openWithSystem(const OpenRequest& request);

// Helpers for presenters: MesajGoster's caption for a kind ("Uyarı", "Hata",
// "Bilgi", "Soru"; empty for mtCustom, which keeps the default caption) and the
// Turkish label of a button (empty for All and Close, which keep theirs).
QString messageCaption(TMsgDlgType kind);
QString buttonLabel(TMsgDlgBtn button);
// The text a button shows: buttonLabel, or the default "All" / "Close".
QString shownButtonText(TMsgDlgBtn button);
// The buttons of a set in their numbering order.
QList<TMsgDlgBtn> buttonsOf(TMsgDlgButtons set);
// Turns "Name|pattern|Name2|pattern2" into Qt's "Name (pattern);;Name2 (pattern2)".
QString qtFileFilter(const QString& pairFilter);
