#pragma once

#include "platform/dataset/displayformat.h"
#include "platform/dataset/tabledata.h"

#include <QObject>
#include <QLocale>

#include <functional>

#include <stdexcept>

class MemTable;

// Misuse of a table (unknown field, writing outside Edit/Insert, editing an
// empty table). Carries the message text.
class DatasetError : public std::runtime_error {
public:
    explicit DatasetError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A small accessor for one column of a MemTable at the table's current row
// (it follows the cursor). Reading a null cell gives "" / 0 / false. Writing
// needs the table in Edit or Insert state; the value lands in the row when the
// table posts. An accessor from FindField for an absent column is invalid:
// it reads as null and its writes throw.
class Field {
public:
    Field() = default;

    bool isValid() const { return m_table && m_col >= 0; }
    int Index() const { return m_col; }
    QString FieldName() const;
    FieldType DataType() const;
    int Size() const;

    bool IsNull() const;
    QVariant Value() const;
    QString AsString() const;
    qint64 AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    // The value as the grid shows it (display format applied).
    QString DisplayText() const;

    void SetValue(const QVariant &value) const;
    void SetAsString(const QString &value) const;
    void SetAsInteger(qint64 value) const;
    void SetAsFloat(double value) const;
    void SetAsBoolean(bool value) const;
    void SetAsDateTime(const QDateTime &value) const;
    void Clear() const;

    QString DisplayFormat() const;
    void SetDisplayFormat(const QString &format) const;

private:
    friend class MemTable;
    Field(MemTable *table, int col) : m_table(table), m_col(col) {}
    // The data and row this field reads at the cursor; null when the field is
    // invalid or the table has no current row.
    const TableData *current(int *row) const;
    MemTable *m_table = nullptr;
    int m_col = -1;
};

// The in-memory table behind a grid: columns and rows from a server result,
// a cursor, editing with Edit/Post, display formats per column and change
// notifications for views (MemTableModel).
//
// A MemTable belongs to its thread (the main thread for every table behind a
// grid). A worker builds a TableData and the owner thread takes it over with
// assign(), which is a move.
//
// Notifications: while controls are disabled (DisableControls, nestable) the
// table emits nothing; the last EnableControls emits one reset when the data,
// columns or formats changed meanwhile, otherwise only currentRowChanged when
// the cursor moved.
class MemTable : public QObject {
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    enum LocateOption { NoLocateOptions = 0, CaseInsensitive = 1, PartialKey = 2 };
    Q_DECLARE_FLAGS(LocateOptions, LocateOption)

    explicit MemTable(QObject *parent = nullptr);
    ~MemTable() override;

    // Replaces columns and rows in one step and opens the table, cursor on
    // the first row. Display formats start over: Float columns get the
    // default float format (see setDefaultFloatFormat). One reset.
    void assign(TableData &&data);
    void assign(const TableData &data);
    const TableData &data() const { return m_data; }
    // Moves the data out and closes the table.
    TableData takeData();

    // Open/closed/empty states. Open() activates the table with the columns it
    // has (an empty table when none was assigned); Close() drops the rows and
    // any pending edit, keeps the columns and formats.
    bool Active() const { return m_state != State::Inactive; }
    void Open();
    void Close();
    bool IsEmpty() const { return m_data.rowCount() == 0; }
    int RecordCount() const { return m_data.rowCount(); }
    int FieldCount() const { return m_data.fieldCount(); }
    State state() const { return m_state; }

    // Cursor. Moving it posts a pending edit first. Next on the last row
    // stays there and sets Eof; Prior on the first sets Bof. RecNo is
    // 1-based (0 when there is no row); currentRow is 0-based (-1).
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    int RecNo() const { return m_row + 1; }
    void SetRecNo(int recNo);
    int currentRow() const { return m_row; }
    void setCurrentRow(int row);

    // Moves to the first row whose fields equal the key values and answers
    // true; answers false and leaves the cursor where it was when none does.
    // fieldNames may list several fields separated by ';' with a QVariantList
    // of values. Numbers compare by value, texts as texts (options apply);
    // a null key matches null cells. An unknown field throws DatasetError.
    bool Locate(const QString &fieldNames, const QVariant &keyValues,
                LocateOptions options = NoLocateOptions);

    // Field accessors. FieldByName throws DatasetError for an absent name
    // (names ignore case); FindField gives an invalid Field instead.
    Field FieldByName(const QString &name) const;
    Field FindField(const QString &name) const;
    Field Fields(int col) const;

    // Editing. Edit puts the current row into Edit state (on an empty
    // table it starts a new row like Append; on a closed one it throws);
    // Append starts a new row that Post appends at
    // the end; Post writes the pending values (one rowChanged or one
    // rowsInserted); Cancel drops them. Delete removes the current row.
    void Edit();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Removes every row, keeps the columns.
    void EmptyDataSet();

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Display formats: a number pattern (see formatNumber) for numeric
    // columns, a QDate/QDateTime pattern for Date/DateTime columns. Empty
    // shows the plain value (Float with up to 15 significant digits, no
    // grouping; Currency as money, grouped with two decimals; dates in the
    // locale's short form; Boolean "True"/"False").
    void setDisplayFormat(int col, const QString &format);
    QString displayFormat(int col) const;
    // Sets format on every column of exactly the given type.
    void setDisplayFormatForType(FieldType type, const QString &format);
    // The format Float columns get on assign (default "#,###,##0.00";
    // empty: none).
    void setDefaultFloatFormat(const QString &format) { m_defaultFloatFormat = format; }
    QString defaultFloatFormat() const { return m_defaultFloatFormat; }
    void setLocale(const QLocale &locale);
    QLocale locale() const { return m_locale; }

    // Cell access for views; the current row reads its pending edit.
    QVariant value(int row, int col) const;
    bool isNull(int row, int col) const;
    QString displayText(int row, int col) const;

signals:
    void aboutToBeReset();
    void wasReset();
    void rowChanged(int row);
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void currentRowChanged(int row);
    void stateChanged(MemTable::State state);
    // A column's display format (or, with -1, the locale) changed.
    void displayFormatChanged(int col);

private:
    friend class Field;

    bool editing() const { return m_state == State::Edit || m_state == State::Insert; }
    void checkBrowse();
    void moveTo(int row);
    void setState(State state);
    void beginReset();
    void endReset();
    void changed(const std::function<void()> &notify);
    void resetFormats();
    void resetBuffer();
    bool hasCurrent() const { return m_row >= 0 && m_row < m_data.rowCount(); }
    // Where the current row's cell col is read from: the edit buffer (row 0)
    // for a pending value, the data otherwise; nullptr when there is no cell.
    const TableData *source(int col, int *row) const;
    void writeField(int col, const std::function<void(TableData &, int)> &write);
    QString cellText(const TableData &from, int row, int col, bool formatted) const;

    TableData m_data;
    TableData m_buffer;          // one row: the values of a pending Edit/Append
    std::vector<bool> m_dirty;   // columns written since Edit/Append
    QList<QString> m_formats;
    QString m_defaultFloatFormat = kFloatDisplayFormat.toString();
    QLocale m_locale;
    QLocale m_plainLocale;       // m_locale without group separators, for plain texts
    State m_state = State::Inactive;
    int m_row = -1;
    bool m_eof = true;
    bool m_bof = true;
    int m_disableCount = 0;
    bool m_changedWhileDisabled = false;
    int m_rowWhenDisabled = -1;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(MemTable::LocateOptions)
