#pragma once
// The view of one table of a product: its rows in a table read straight
// from the file as they are shown, a toggle between formatted and raw
// values, copying the selection as tab-separated text, export as CSV and
// a jump to any row. A delimited table's records are found once, in a
// worker thread; the window stays live meanwhile.

#include "product/Product.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace product {
class TableReader;
}

namespace viewer {

class TableModel;

class TableView : public QWidget {
    Q_OBJECT
public:
    TableView(const product::Product& product, int objectIndex, QWidget* parent = nullptr);
    ~TableView() override;

    QTableView* tableView() const { return m_table; }
    // Null until the table's rows are found (see WaitUntilLoaded).
    TableModel* model() const { return m_model; }
    // The line under the table: row count, the reader's problem, the last
    // copy or export.
    QString statusText() const;

    // Blocks until a delimited table's index is built and shows its rows.
    void WaitUntilLoaded();

    // Makes row `row` (1-based) current and shows it.
    void GoToRow(qint64 row);
    // The current row of the table (0-based), -1 for none.
    qint64 currentRow() const;
    void setRawValues(bool raw);
    // The selected cells as tab-separated lines, and copying them to the
    // clipboard.
    QString SelectionText() const;
    void CopySelection();
    // Writes the whole table as CSV (as `vellora-view --export` does) in a
    // worker; the future's result is empty on success, else the message.
    QFuture<QString> ExportCsv(const QString& path);

public slots:
    // Asks for a file name and exports there.
    void Export();

private:
    struct Loaded {
        std::shared_ptr<const product::TableReader> reader;
        QString error;
    };
    void BuildControls();
    void StartLoading(const product::TableObject& table);
    void ShowLoaded();
    void SizeColumns();
    // Moves the model's window of rows, keeping the current cell, the
    // selection within the window and the scrolled place.
    void MoveWindow(std::int64_t first);
    void FollowScroll(int value);
    void SetStatus(const QString& text);

    QCheckBox* m_raw = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_export = nullptr;
    QSpinBox* m_row = nullptr;
    QPushButton* m_go = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_status = nullptr;
    TableModel* m_model = nullptr;  // owned by this widget
    QFuture<Loaded> m_loading;
    QFutureWatcher<Loaded> m_loadingWatcher;
    QFutureWatcher<QString> m_exportWatcher;
    QString m_exportPath;
    bool m_shown = false;
    bool m_moving = false;
};

}  // namespace viewer
