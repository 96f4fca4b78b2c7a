#include "viewer/TableView.h"

#include "product/CsvExport.h"
#include "product/TableReader.h"
#include "viewer/TableModel.h"
#include "viewer/TablePlotTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <climits>

namespace viewer {

namespace {

// Rows copied at most: a selection of the whole of a huge table would
// otherwise fill the memory with its text.
constexpr int kCopyRows = 100000;
// Rows looked at to size the columns.
constexpr int kSizingRows = 50;
constexpr int kMaxColumnWidth = 400;

}  // namespace

TableView::TableView(const product::Product& product, int objectIndex, QWidget* parent) : QWidget(parent)
{
    BuildControls();
    const product::TableObject* table = nullptr;
    if (objectIndex >= 0 && std::size_t(objectIndex) < product.objects.size())
        table = std::get_if<product::TableObject>(&product.objects[std::size_t(objectIndex)]);
    if (!table) {
        SetStatus(texts::NotATable().arg(objectIndex + 1));
        return;
    }
    StartLoading(*table);
}

TableView::~TableView() = default;

void TableView::BuildControls()
{
    m_raw = new QCheckBox(texts::RawValues(), this);
    m_raw->setToolTip(texts::RawValuesTip());
    m_copy = new QPushButton(texts::Copy(), this);
    m_export = new QPushButton(texts::ExportCsv(), this);
    auto* rowLabel = new QLabel(texts::GoToRow(), this);
    m_row = new QSpinBox(this);
    m_row->setAccessibleName(texts::GoToRow());
    m_row->setMinimum(1);
    m_row->setMaximum(1);
    m_row->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000000")));
    rowLabel->setBuddy(m_row);
    m_go = new QPushButton(texts::Go(), this);
    m_table = new QTableView(this);
    m_table->setAccessibleName(texts::TableLabel());
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(true);
    // Fixed row heights: the view then never asks the rows for their size,
    // whatever their number.
    QHeaderView* rows = m_table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_raw);
    bar->addWidget(m_copy);
    bar->addWidget(m_export);
    bar->addStretch(1);
    bar->addWidget(rowLabel);
    bar->addWidget(m_row);
    bar->addWidget(m_go);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);

    for (QWidget* w : {static_cast<QWidget*>(m_raw), static_cast<QWidget*>(m_copy), static_cast<QWidget*>(m_export),
                       static_cast<QWidget*>(m_row), static_cast<QWidget*>(m_go)})
        w->setEnabled(false);
    connect(m_raw, &QCheckBox::toggled, this, &TableView::setRawValues);
    connect(m_copy, &QPushButton::clicked, this, &TableView::CopySelection);
    connect(m_export, &QPushButton::clicked, this, &TableView::Export);
    connect(m_go, &QPushButton::clicked, this, [this] { GoToRow(m_row->value()); });
    connect(m_row, &QSpinBox::editingFinished, this, [this] {
        if (m_row->hasFocus())
            GoToRow(m_row->value());
    });
    connect(&m_loadingWatcher, &QFutureWatcherBase::finished, this, &TableView::ShowLoaded);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &TableView::FollowScroll);
    connect(&m_exportWatcher, &QFutureWatcherBase::finished, this, [this] {
        const QString error = m_exportWatcher.result();
        SetStatus(error.isEmpty() ? texts::Exported().arg(m_exportPath) : error);
        m_export->setEnabled(true);
    });
}

void TableView::StartLoading(const product::TableObject& table)
{
    auto open = [table]() -> Loaded {
        try {
            return {std::make_shared<const product::TableReader>(product::TableReader::Open(table)), {}};
        } catch (const product::Error& error) {
            return {nullptr, error.message};
        }
    };
    if (table.format != product::TableFormat::Delimited) {
        // Fixed-width records need no pass over the file.
        m_loading = QtFuture::makeReadyFuture(open());
        ShowLoaded();
        return;
    }
    SetStatus(texts::Indexing());
    m_loading = QtConcurrent::run(open);
    m_loadingWatcher.setFuture(m_loading);
}

void TableView::WaitUntilLoaded()
{
    m_loading.waitForFinished();
    ShowLoaded();
}

void TableView::ShowLoaded()
{
    if (m_shown || !m_loading.isFinished())
        return;
    m_shown = true;
    const Loaded loaded = m_loading.result();
    if (!loaded.reader) {
        SetStatus(loaded.error);
        return;
    }
    m_model = new TableModel(loaded.reader, this);
    m_table->setModel(m_model);
    SizeColumns();
    const std::int64_t rows = loaded.reader->rows();
    QString status = texts::RowCount().arg(rows).arg(m_model->columnCount());
    if (!loaded.reader->problem().isEmpty())
        status += QLatin1Char(' ') + loaded.reader->problem();
    SetStatus(status);
    m_row->setMaximum(int(std::clamp<std::int64_t>(rows, 1, INT_MAX)));
    for (QWidget* w : {static_cast<QWidget*>(m_raw), static_cast<QWidget*>(m_copy), static_cast<QWidget*>(m_export),
                       static_cast<QWidget*>(m_row), static_cast<QWidget*>(m_go)})
        w->setEnabled(true);
}

void TableView::SizeColumns()
{
    // From the header and the first rows only: sizing to the contents
    // would read every row.
    const QFontMetrics headerMetrics(m_table->horizontalHeader()->font());
    const QFontMetrics cellMetrics(m_table->font());
    const int rows = std::min(m_model->rowCount(), kSizingRows);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int width = headerMetrics.horizontalAdvance(m_model->headerData(c, Qt::Horizontal).toString()) + 24;
        for (int r = 0; r < rows; ++r)
            width = std::max(width, cellMetrics.horizontalAdvance(m_model->CellText(r, c)) + 16);
        m_table->setColumnWidth(c, std::min(width, kMaxColumnWidth));
    }
}

QString TableView::statusText() const { return m_status->text(); }

void TableView::SetStatus(const QString& text) { m_status->setText(text); }

void TableView::MoveWindow(std::int64_t first)
{
    const std::int64_t before = m_model->firstRow();
    const QModelIndex current = m_table->currentIndex();
    const QItemSelection selection = m_table->selectionModel()->selection();
    const int scrolled = m_table->verticalScrollBar()->value();
    m_moving = true;
    m_model->SetFirstRow(first);
    const std::int64_t shift = m_model->firstRow() - before;
    // The same table rows, at their new places in the window.
    auto moved = [shift](int row) -> std::int64_t { return std::int64_t(row) - shift; };
    auto inside = [this](std::int64_t row) { return row >= 0 && row < m_model->rowCount(); };
    QItemSelection kept;
    for (const QItemSelectionRange& range : selection) {
        const std::int64_t top = std::max<std::int64_t>(moved(range.top()), 0);
        const std::int64_t bottom = std::min<std::int64_t>(moved(range.bottom()), m_model->rowCount() - 1);
        if (top <= bottom)
            kept.select(m_model->index(int(top), range.left()), m_model->index(int(bottom), range.right()));
    }
    // The current cell follows its row, or is dropped when the row left
    // the window.
    if (current.isValid() && inside(moved(current.row())))
        m_table->selectionModel()->setCurrentIndex(m_model->index(int(moved(current.row())), current.column()),
                                                   QItemSelectionModel::NoUpdate);
    else if (current.isValid())
        m_table->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    m_table->selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect);
    m_table->verticalScrollBar()->setValue(int(std::clamp<std::int64_t>(moved(scrolled), 0, m_model->rowCount())));
    m_moving = false;
}

void TableView::FollowScroll(int value)
{
    // Near either end of the window, the window moves so the rows in view
    // are in its middle again.
    if (!m_model || m_moving)
        return;
    const int window = m_model->rowCount();
    const std::int64_t first = m_model->firstRow();
    const bool nearTop = value < window / 4 && first > 0;
    const bool nearBottom = value > window * 3 / 4 && first + window < m_model->reader().rows();
    if (nearTop || nearBottom)
        MoveWindow(first + value - window / 2);
}

qint64 TableView::currentRow() const
{
    if (!m_model || !m_table->currentIndex().isValid())
        return -1;
    return m_model->firstRow() + m_table->currentIndex().row();
}

void TableView::GoToRow(qint64 row)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    const std::int64_t target = std::clamp<qint64>(row, 1, m_model->reader().rows()) - 1;
    const std::int64_t first = m_model->firstRow();
    if (target < first || target >= first + m_model->rowCount())
        MoveWindow(target - m_model->rowCount() / 2);
    const int column = std::max(0, m_table->currentIndex().column());
    const QModelIndex index = m_model->index(int(target - m_model->firstRow()), column);
    m_table->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_table->setCurrentIndex(index);
    m_row->setValue(int(std::min<std::int64_t>(target + 1, INT_MAX)));
}

void TableView::setRawValues(bool raw)
{
    if (m_raw->isChecked() != raw)
        m_raw->setChecked(raw);  // comes back here through toggled
    else if (m_model)
        m_model->setRawValues(raw);
}

QString TableView::SelectionText() const
{
    if (!m_model)
        return {};
    const QItemSelection selection = m_table->selectionModel()->selection();
    if (selection.isEmpty())
        return {};
    int top = INT_MAX;
    int bottom = -1;
    std::vector<bool> columns(std::size_t(m_model->columnCount()), false);
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
        for (int c = range.left(); c <= range.right(); ++c)
            columns[std::size_t(c)] = true;
    }
    bottom = std::min(bottom, top + kCopyRows - 1);
    QString text;
    for (int r = top; r <= bottom; ++r) {
        QString line;
        bool any = false;
        bool first = true;
        for (int c = 0; c < m_model->columnCount(); ++c) {
            if (!columns[std::size_t(c)])
                continue;
            if (!first)
                line += QLatin1Char('\t');
            first = false;
            if (selection.contains(m_model->index(r, c))) {
                line += m_model->CellText(m_model->firstRow() + r, c);
                any = true;
            }
        }
        if (any)
            text += line + QLatin1Char('\n');
    }
    return text;
}

void TableView::CopySelection()
{
    const QString text = SelectionText();
    if (text.isEmpty())
        return;
    QApplication::clipboard()->setText(text);
    const int lines = int(text.count(QLatin1Char('\n')));
    SetStatus(lines >= kCopyRows ? texts::CopyCapped().arg(kCopyRows) : texts::Copied().arg(lines));
}

QFuture<QString> TableView::ExportCsv(const QString& path)
{
    if (!m_model)
        return QtFuture::makeReadyFuture(texts::WriteFailed().arg(path));
    std::shared_ptr<const product::TableReader> reader = m_model->readerShared();
    m_exportPath = path;
    SetStatus(texts::Exporting().arg(path));
    m_export->setEnabled(false);
    QFuture<QString> future = QtConcurrent::run([reader, path]() -> QString {
        try {
            product::WriteTableCsv(*reader, path);
            return {};
        } catch (const product::Error& error) {
            return error.message;
        }
    });
    m_exportWatcher.setFuture(future);
    return future;
}

void TableView::Export()
{
    if (!m_model || !m_export->isEnabled())
        return;
    const QString path = QFileDialog::getSaveFileName(this, texts::ExportCsvTitle(), QString(), texts::CsvFilter());
    if (!path.isEmpty())
        ExportCsv(path);
}

}  // namespace viewer
