// The table view driven as a user would: headers, formatted and raw
// values, go to row, copy, CSV export, a delimited table found in the
// background, a table far larger than what the test writes (the rows are
// read only when shown), short files and objects that are no table.

#include "product/ByteWriter.h"
#include "product/CsvExport.h"
#include "product/OpenProduct.h"
#include "support/TempDir.h"
#include "viewer/TableModel.h"
#include "viewer/TableView.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using viewer::TableView;

namespace {

constexpr int kRows = 1000;

// A PDS3 binary table of kRows rows: INDEX (MSB integer), DISTANCE (IEEE
// double, i / 3, FORMAT F8.2, unit KM), TAG (characters "T<i>").
QString WriteBinaryTable(const TempDir& dir, int rows = kRows, int rowsInFile = kRows)
{
    ByteWriter data;
    for (int i = 0; i < rowsInFile; ++i) {
        data.Big(std::uint64_t(i), 4).DoubleBig(i / 3.0);
        QByteArray tag = "T" + QByteArray::number(i);
        tag = tag.leftJustified(6, ' ');
        data.Text(tag.constData());
    }
    dir.write(QStringLiteral("DATA.DAT"), data.bytes());
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\r\n"
        "RECORD_TYPE = FIXED_LENGTH\r\n"
        "RECORD_BYTES = 18\r\n"
        "FILE_RECORDS = " +
        QByteArray::number(rows) +
        "\r\n"
        "^TABLE = \"DATA.DAT\"\r\n"
        "OBJECT = TABLE\r\n"
        "  INTERCHANGE_FORMAT = BINARY\r\n"
        "  ROWS = " +
        QByteArray::number(rows) +
        "\r\n"
        "  COLUMNS = 3\r\n"
        "  ROW_BYTES = 18\r\n"
        "  OBJECT = COLUMN\r\n"
        "    NAME = INDEX\r\n"
        "    DATA_TYPE = MSB_INTEGER\r\n"
        "    START_BYTE = 1\r\n"
        "    BYTES = 4\r\n"
        "  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n"
        "    NAME = DISTANCE\r\n"
        "    DATA_TYPE = IEEE_REAL\r\n"
        "    START_BYTE = 5\r\n"
        "    BYTES = 8\r\n"
        "    UNIT = \"KM\"\r\n"
        "    FORMAT = \"F8.2\"\r\n"
        "  END_OBJECT = COLUMN\r\n"
        "  OBJECT = COLUMN\r\n"
        "    NAME = TAG\r\n"
        "    DATA_TYPE = CHARACTER\r\n"
        "    START_BYTE = 13\r\n"
        "    BYTES = 6\r\n"
        "    UNIT = \"N/A\"\r\n"
        "  END_OBJECT = COLUMN\r\n"
        "END_OBJECT = TABLE\r\n"
        "END\r\n";
    return dir.write(QStringLiteral("TABLE.LBL"), label);
}

QStringList Headers(const TableView& view)
{
    QStringList headers;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        headers << view.model()->headerData(c, Qt::Horizontal).toString();
    return headers;
}

QString Shown(const TableView& view, int row, int column) { return view.model()->index(row, column).data().toString(); }

// Shows the view at a usable size, its layout done.
void Show(QWidget& view)
{
    view.resize(800, 500);
    view.show();
    QCoreApplication::sendPostedEvents();
}

// Opens a product the test wrote; a label the reader refuses fails the
// test with the reader's message.
product::Product Open(const QString& label)
{
    try {
        return product::OpenProduct(label);
    } catch (const product::Error& error) {
        ADD_FAILURE() << error.message.toStdString();
    }
    return {};
}

QString ProductsFolder() { return QStringLiteral(VELLORA_PRODUCTS); }

}  // namespace

TEST(TableView, ShowsHeadersWithUnitsAndFormattedOrRawValues)
{
    TempDir dir;
    const product::Product product = Open(WriteBinaryTable(dir));
    TableView view(product, 0);
    Show(view);
    ASSERT_NE(view.model(), nullptr);
    EXPECT_EQ(view.model()->rowCount(), kRows);
    EXPECT_EQ(Headers(view), (QStringList{"INDEX", "DISTANCE [KM]", "TAG"}));
    EXPECT_EQ(view.model()->headerData(0, Qt::Vertical).toInt(), 1);  // rows count from 1
    EXPECT_EQ(Shown(view, 1, 0), QStringLiteral("1"));
    EXPECT_EQ(Shown(view, 1, 1), QStringLiteral("0.33"));
    EXPECT_EQ(Shown(view, 1, 2), QStringLiteral("T1"));
    EXPECT_EQ(Shown(view, 999, 1), QStringLiteral("333.00"));
    EXPECT_TRUE(view.statusText().contains(QStringLiteral("1000 rows")));

    // The toggle shows what is stored, as the CSV export writes it.
    auto* raw = view.findChild<QCheckBox*>();
    ASSERT_NE(raw, nullptr);
    QTest::mouseClick(raw, Qt::LeftButton);
    EXPECT_TRUE(view.model()->rawValues());
    EXPECT_EQ(Shown(view, 1, 1), QStringLiteral("0.3333333333333333"));
    EXPECT_EQ(Shown(view, 999, 1), QStringLiteral("333"));
    QTest::mouseClick(raw, Qt::LeftButton);
    EXPECT_EQ(Shown(view, 1, 1), QStringLiteral("0.33"));
}

TEST(TableView, GoesToATypedRowAndCopiesTheSelectionAsTabSeparatedLines)
{
    TempDir dir;
    const product::Product product = Open(WriteBinaryTable(dir));
    TableView view(product, 0);
    Show(view);

    auto* row = view.findChild<QSpinBox*>();
    ASSERT_NE(row, nullptr);
    row->clear();
    QTest::keyClicks(row, QStringLiteral("900"));
    QPushButton* go = nullptr;
    for (QPushButton* button : view.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Go"))
            go = button;
    ASSERT_NE(go, nullptr);
    QTest::mouseClick(go, Qt::LeftButton);
    QTableView* table = view.tableView();
    EXPECT_EQ(table->currentIndex().row(), 899);
    const QRect shown = table->visualRect(table->currentIndex());
    EXPECT_TRUE(table->viewport()->rect().intersects(shown));
    EXPECT_GT(table->verticalScrollBar()->value(), 800);

    // Rows 3 and 4 (0-based 2, 3), the first and the last column.
    QItemSelection selection;
    selection.select(view.model()->index(2, 0), view.model()->index(3, 0));
    selection.select(view.model()->index(2, 2), view.model()->index(3, 2));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const QString expected = QStringLiteral("2\tT2\n3\tT3\n");
    EXPECT_EQ(view.SelectionText(), expected);
    QPushButton* copy = nullptr;
    for (QPushButton* button : view.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Copy"))
            copy = button;
    ASSERT_NE(copy, nullptr);
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);

    // A selection with a hole leaves the cell empty but keeps the columns.
    selection.clear();
    selection.select(view.model()->index(5, 0), view.model()->index(5, 1));
    selection.select(view.model()->index(6, 1), view.model()->index(6, 1));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(view.SelectionText(), QStringLiteral("5\t1.67\n\t2.00\n"));
}

TEST(TableView, ExportsTheSameCsvAsTheCommandLine)
{
    TempDir dir;
    const product::Product product = Open(WriteBinaryTable(dir));
    TableView view(product, 0);
    const QString path = dir.file(QStringLiteral("out.csv"));
    EXPECT_EQ(view.ExportCsv(path).result(), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), kRows + 2);  // header, rows, the empty piece after the last line end
    EXPECT_EQ(lines[0], "INDEX,DISTANCE,TAG");
    EXPECT_EQ(lines[1], "0,0,T0");
    EXPECT_EQ(lines[2], "1,0.3333333333333333,T1");
    EXPECT_EQ(lines[1000], "999,333,T999");
    file.close();
    const QString reference = dir.file(QStringLiteral("reference.csv"));
    product::WriteTableCsv(product::TableReader::Open(std::get<product::TableObject>(product.objects[0])), reference);
    QFile referenceFile(reference);
    ASSERT_TRUE(referenceFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), referenceFile.readAll());

    // A folder that does not exist: a message naming the file, no file.
    const QString bad = dir.file(QStringLiteral("missing/out.csv"));
    const QString error = view.ExportCsv(bad).result();
    EXPECT_TRUE(error.contains(bad)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(bad));
}

TEST(TableView, OpensAHugeTableAtOnceAndReadsOnlyWhatIsShown)
{
    // Two million records of one 4-byte integer, in a sparse file of
    // zeros except for the last record, which holds 7.
    TempDir dir;
    constexpr std::int64_t kHuge = 2'000'000;
    QFile data(dir.file(QStringLiteral("HUGE.DAT")));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    ASSERT_TRUE(data.resize(kHuge * 4));
    ASSERT_TRUE(data.seek(kHuge * 4 - 4));
    data.write(ByteWriter().Big(7, 4).bytes());
    data.close();
    const QByteArray label =
        "PDS_VERSION_ID = PDS3\nRECORD_TYPE = FIXED_LENGTH\nRECORD_BYTES = 4\n"
        "^TABLE = \"HUGE.DAT\"\nOBJECT = TABLE\n INTERCHANGE_FORMAT = BINARY\n"
        " ROWS = 2000000\n COLUMNS = 1\n ROW_BYTES = 4\n OBJECT = COLUMN\n  NAME = COUNT\n"
        "  DATA_TYPE = MSB_UNSIGNED_INTEGER\n  START_BYTE = 1\n  BYTES = 4\n END_OBJECT = COLUMN\n"
        "END_OBJECT = TABLE\nEND\n";
    const product::Product product = Open(dir.write(QStringLiteral("HUGE.LBL"), label));
    TableView view(product, 0);
    Show(view);
    ASSERT_NE(view.model(), nullptr);
    // The model offers a window of the rows; the row headers count in the
    // whole table.
    const viewer::TableModel& model = *view.model();
    EXPECT_EQ(model.rowCount(), viewer::TableModel::kWindowRows);
    EXPECT_EQ(model.firstRow(), 0);
    view.GoToRow(kHuge);
    EXPECT_EQ(view.currentRow(), kHuge - 1);
    EXPECT_GT(model.firstRow(), 0);
    const QModelIndex current = view.tableView()->currentIndex();
    EXPECT_EQ(model.headerData(current.row(), Qt::Vertical).toLongLong(), kHuge);
    EXPECT_EQ(current.data().toString(), QStringLiteral("7"));
    EXPECT_EQ(model.CellText(kHuge - 2, 0), QStringLiteral("0"));
    view.GoToRow(kHuge + 50);  // beyond the end: the last row
    EXPECT_EQ(view.currentRow(), kHuge - 1);

    // Back to row 10, a cell selected; scrolling down to the window's end
    // moves the window on, and the selected table row stays selected.
    view.GoToRow(10);
    EXPECT_EQ(model.firstRow(), 0);
    view.tableView()->selectionModel()->select(model.index(9, 0), QItemSelectionModel::ClearAndSelect);
    QScrollBar* scroll = view.tableView()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    const std::int64_t first = model.firstRow();
    EXPECT_GT(first, 0);
    EXPECT_LT(scroll->value(), scroll->maximum());
    const std::int64_t top = first + scroll->value();  // the table row at the top of the view
    EXPECT_GT(top, viewer::TableModel::kWindowRows / 2);
    EXPECT_EQ(model.headerData(scroll->value(), Qt::Vertical).toLongLong(), top + 1);
    // Row 10 has left the window: it is neither current nor selected.
    EXPECT_EQ(view.currentRow(), -1);
    EXPECT_TRUE(view.SelectionText().isEmpty());
}

TEST(TableView, AShortFileShowsTheRowsThereAndSaysWhatIsMissing)
{
    TempDir dir;
    const product::Product product = Open(WriteBinaryTable(dir, kRows, 10));
    TableView view(product, 0);
    ASSERT_NE(view.model(), nullptr);
    EXPECT_EQ(view.model()->rowCount(), 10);
    EXPECT_EQ(Shown(view, 9, 2), QStringLiteral("T9"));
    EXPECT_TRUE(view.statusText().contains(QStringLiteral("DATA.DAT"))) << view.statusText().toStdString();
}

TEST(TableView, AnObjectThatIsNoTableIsSaidSo)
{
    product::Product product;
    product::ArrayObject image;
    image.name = QStringLiteral("IMAGE");
    product.objects.emplace_back(image);
    TableView view(product, 0);
    EXPECT_EQ(view.model(), nullptr);
    EXPECT_TRUE(view.statusText().contains(QStringLiteral("not a table")));
    TableView outside(product, 5);
    EXPECT_EQ(outside.model(), nullptr);
    EXPECT_FALSE(outside.statusText().isEmpty());
}

TEST(TableView, ADelimitedTableIsIndexedInTheBackground)
{
    const QString label = ProductsFolder() +
                          QStringLiteral("/pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_temp_profiles.xml");
    if (!QFile::exists(label))
        GTEST_SKIP() << "no shared products";
    const product::Product product = product::OpenProduct(label);
    TableView view(product, 0);
    view.WaitUntilLoaded();
    ASSERT_NE(view.model(), nullptr);
    EXPECT_EQ(view.model()->rowCount(), 71);
    ASSERT_EQ(view.model()->columnCount(), 9);
    EXPECT_TRUE(Headers(view)[0].startsWith(QStringLiteral("Row")));
    EXPECT_TRUE(Headers(view)[8].startsWith(QStringLiteral("T(K) 2012-107")));
    view.setRawValues(true);
    EXPECT_EQ(Shown(view, 0, 0), QStringLiteral("0"));
    EXPECT_EQ(Shown(view, 0, 1), QStringLiteral("4001.02026"));
    EXPECT_EQ(Shown(view, 0, 2), QStringLiteral("207.15"));
}

TEST(TableView, ACharacterTableUsesItsFieldFormats)
{
    const QString label = ProductsFolder() + QStringLiteral("/pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx");
    if (!QFile::exists(label))
        GTEST_SKIP() << "no shared products";
    const product::Product product = product::OpenProduct(label);
    TableView view(product, 0);
    view.WaitUntilLoaded();
    ASSERT_NE(view.model(), nullptr);
    EXPECT_EQ(view.model()->rowCount(), 1266);
    EXPECT_EQ(Headers(view),
              (QStringList{"Wavelength [micrometer]", "Specific Intensity [W m**-2 micron**-1 sr**-1]"}));
    EXPECT_EQ(Shown(view, 0, 0), QStringLiteral("0.3005000"));
    view.setRawValues(true);
    EXPECT_EQ(Shown(view, 0, 0), QStringLiteral("0.3005"));
    EXPECT_TRUE(Shown(view, 0, 1).startsWith(QStringLiteral("0.0341627")));
}
