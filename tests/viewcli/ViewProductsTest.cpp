// The vellora-view program run as a process on every real product of
// ../shared/products/: --info gives the figures its README states (to six
// significant digits, integers exact), --export gives the stated rows,
// columns and first row. Skipped when the products are absent.

#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Products() { return QStringLiteral(VELLORA_PRODUCTS); }

ProgramRun View(const TempDir& home, const QStringList& arguments)
{
    return ProgramRun::Start(QStringLiteral(VELLORA_VIEW_PROGRAM), arguments, home.path());
}

struct InfoCase {
    const char* file;                // under the products folder
    std::vector<const char*> lines;  // each must be a line of --info's text, in this order
};

// The README's figures, written the way --info prints them.
const std::vector<InfoCase>& InfoCases()
{
    static const std::vector<InfoCase> cases = {
        {"pds3-mgn-fmidr-ff01/FF01.LBL",
         {"IMAGE: image 1024 x 1024 x 1 (lines x samples x bands)",
          "  band 1: count 1048576, min 47, max 226, mean 145.299, stddev 16.861, special 0"}},
        {"pds3-mgn-fmidr-ff01/ff01.xml",
         {"FF01-Array_2D_Image: image 1024 x 1024 x 1 (lines x samples x bands)",
          "  band 1: count 1048576, min 47, max 226, mean 145.299, stddev 16.861, special 0"}},
        {"pds3-mer-navcam-vicar-header/1N546228391RADCYELP0684L0M1.IMG",
         {"IMAGE: image 1024 x 1024 x 1 (lines x samples x bands)",
          "  band 1: count 1048576, min 1489, max 5828, mean 3145.41, stddev 446.583, special 0"}},
        {"pds3-msl-mastcam-thumb-3778ml/3778ML1037770010808163I01_DXXX.IMG",
         {"IMAGE: image 16 x 16 x 3 (lines x samples x bands)",
          "  band 1: count 256, min 91, max 190, mean 157.422, stddev 12.3251, special 0",
          "  band 2: count 256, min 104, max 171, mean 132.602, stddev 14.3562, special 0",
          "  band 3: count 256, min 72, max 133, mean 91.9766, stddev 14.3513, special 0"}},
        {"pds3-msl-mastcam-thumb-3778ml/3778ml1037770010808163i01_dxxx.xml",
         {"thumbnail_image: image 16 x 16 x 3 (lines x samples x bands)",
          "  band 1: count 256, min 91, max 190, mean 157.422, stddev 12.3251, special 0",
          "  band 2: count 256, min 104, max 171, mean 132.602, stddev 14.3562, special 0",
          "  band 3: count 256, min 72, max 133, mean 91.9766, stddev 14.3513, special 0"}},
        {"pds3-synthetic-planetaryimage/pds3_1band.IMG",
         {"IMAGE: image 10 x 10 x 1 (lines x samples x bands)",
          "  band 1: count 100, min 0, max 99, mean 49.5, stddev 28.8661, special 0"}},
        {"pds3-synthetic-planetaryimage/pds3_1band_float.IMG",
         {"IMAGE: image 10 x 10 x 1 (lines x samples x bands)",
          "  band 1: count 100, min 0, max 148.5, mean 74.25, stddev 43.2991, special 0"}},
        {"pds3-synthetic-planetaryimage/pds3_3bands.IMG",
         {"IMAGE: image 10 x 10 x 3 (lines x samples x bands)",
          "  band 1: count 100, min 1, max 19777, mean 892.4, stddev 3663.23, special 0",
          "  band 2: count 100, min 0, max 99, mean 49.5, stddev 28.8661, special 0",
          "  band 3: count 100, min 0, max 99, mean 49.5, stddev 28.8661, special 0"}},
        {"isis2-galileo-europa-sinu/EUROPA_SINU.CUB",
         {"QUBE: image 1226 x 2453 x 1 (lines x samples x bands)",
          "  band 1: count 3007378, min 0, max 251, mean 82.5249, stddev 67.7532, special 1127938"}},
        {"pds4-insight-icc-vicar-c000m5232/C000M5232T493378259EDR_F0000_0134M1.xml",
         {"IMAGE DATA: image 1024 x 1024 x 3 (lines x samples x bands)",
          "  band 1: count 1048576, min 0, max 255, mean 45.6834, stddev 26.0012, special 6",
          "  band 2: count 1048576, min 0, max 255, mean 45.8364, stddev 25.4237, special 99",
          "  band 3: count 1048576, min 0, max 255, mean 32.3601, stddev 14.4137, special 421"}},
        {"pds4-image-uint16-i943630r/i943630r.xml",
         {"MPFL-M-IMP_IMG_GRAYSCALE: image 248 x 256 x 1 (lines x samples x bands)",
          "  band 1: count 63488, min 145, max 4095, mean 1385.3, stddev 538.029, special 0"}},
        {"pds4-ch2-sar-complex-tiff/ch2_sar_ncxs_20090107t163003745_d_sli_xx_fp_hh_pb1_19111.xml",
         {"unnamed: image 50 x 676 x 1 (lines x samples x bands)",
          "  band 1: count 33800, special 0; complex samples: of the real parts min -606.163, max 546.86, mean "
          "16.3239, stddev 108.022 (of the magnitudes: min 0.278319, max 608.659, mean 131.804, stddev 80.2343)"}},
        {"pds4-synthetic-pds4tools/test_masked_data.xml",
         {"Masked Data Array1: array, axes axis 4",
          "  count 4, min 243414, max 3994967214, mean 2.01013e+09, stddev 1.98491e+09, special 2",
          "Masked Data Array2: array, axes axis 4",
          "  count 4, min -5.7303e+100, max 1.79e+200, mean 8.95e+199, stddev 8.95e+199, special 2",
          "Masked Data Array3, with Scaling: array, axes axis 4",
          "  count 4, min 243414, max 3994967214, mean 2.01013e+09, stddev 1.98491e+09, special 2",
          "Masked Data Array4, with Scaling: array, axes axis 4",
          "  count 4, min -5.7303e+100, max 1.79e+200, mean 8.95e+199, stddev 8.95e+199, special 2"}},
        {"pds4-synthetic-pds4tools/test_array_data_types.xml",
         {"SignedByte: array, axes axis 3",
          "  count 3, min -100, max 127, mean 25.6667, stddev 94.2562, special 0",
          "UnsignedByte: array, axes axis 3",
          "  count 3, min 0, max 253, mean 134.333, stddev 103.879, special 0",
          "SignedMSB2: array, axes axis 3",
          "  count 3, min -32237, max 25020, mean -2439, stddev 23433.5, special 0",
          "SignedMSB4: array, axes axis 3",
          "  count 3, min -1047483647, max 2147480000, mean 3.66713e+08, stddev 1.32984e+09, special 0",
          "SignedMSB8: array, axes axis 3",
          "  count 3, min -59706567879, max 9003372036854775800, mean 3.00112e+18, stddev 4.24423e+18, special 0",
          "UnsignedMSB2: array, axes axis 3",
          "  count 3, min 502, max 60535, mean 31859.7, stddev 24581.7, special 0",
          "UnsignedMSB4: array, axes axis 3",
          "  count 3, min 243414, max 3994967214, mean 1.34852e+09, stddev 1.87143e+09, special 0",
          "UnsignedMSB8: array, axes axis 3",
          "  count 3, min 25020, max 17396744073709550582, mean 6.12813e+18, stddev 7.97831e+18, special 0",
          "IEEE754MSBSingle: array, axes axis 3",
          "  count 3, min -1.38729e-43, max 3.40345e+25, mean 1.13448e+25, stddev 1.6044e+25, special 0",
          "IEEE754MSBDouble: array, axes axis 3",
          "  count 3, min -5.7303e+100, max 1.79e+308, mean 5.96667e+307, stddev 8.43814e+307, special 0",
          "ComplexMSB8: array, axes axis 3",
          "  count 3, special 0; complex samples: of the real parts min 1.15549e-38, max 3.20282e+38, mean "
          "1.06761e+38, stddev 1.50983e+38 (of the magnitudes: min 500.23, max 3.20282e+38, mean 1.06761e+38, "
          "stddev 1.50983e+38)",
          "ComplexMSB16: array, axes axis 3",
          "  count 3, special 0; complex samples: of the real parts min -1.65e+308, max 5.07201, mean -5.5e+307, "
          "stddev 7.77817e+307",
          "SignedLSB2: array, axes axis 3",
          "  count 3, min -32237, max 25020, mean -2439, stddev 23433.5, special 0",
          "SignedLSB4: array, axes axis 3",
          "  count 3, min -1047483647, max 2147480000, mean 3.66713e+08, stddev 1.32984e+09, special 0",
          "SignedLSB8: array, axes axis 3",
          "  count 3, min -59706567879, max 9003372036854775800, mean 3.00112e+18, stddev 4.24423e+18, special 0",
          "UnsignedLSB2: array, axes axis 3",
          "  count 3, min 502, max 60535, mean 31859.7, stddev 24581.7, special 0",
          "UnsignedLSB4: array, axes axis 3",
          "  count 3, min 243414, max 3994967214, mean 1.34852e+09, stddev 1.87143e+09, special 0",
          "UnsignedLSB8: array, axes axis 3",
          "  count 3, min 25020, max 17396744073709550582, mean 6.12813e+18, stddev 7.97831e+18, special 0",
          "IEEE754LSBSingle: array, axes axis 3",
          "  count 3, min -1.38729e-43, max 3.40345e+25, mean 1.13448e+25, stddev 1.6044e+25, special 0",
          "IEEE754LSBDouble: array, axes axis 3",
          "  count 3, min -5.7303e+100, max 1.79e+308, mean 5.96667e+307, stddev 8.43814e+307, special 0",
          "ComplexLSB8: array, axes axis 3",
          "  count 3, special 0; complex samples: of the real parts min 1.15549e-38, max 3.20282e+38, mean "
          "1.06761e+38, stddev 1.50983e+38 (of the magnitudes: min 500.23, max 3.20282e+38, mean 1.06761e+38, "
          "stddev 1.50983e+38)",
          "ComplexLSB16: array, axes axis 3",
          "  count 3, special 0; complex samples: of the real parts min -1.65e+308, max 5.07201, mean -5.5e+307, "
          "stddev 7.77817e+307",
          "Integer Scaling/Offset 1: array, axes axis 3",
          "  count 3, min -10000, max 10000, mean 0, stddev 8164.97, special 0",
          "Integer Scaling/Offset 2: array, axes axis 3",
          "  count 3, min -10000, max 10000, mean 0, stddev 8164.97, special 0",
          "Float Scaling/Offset: array, axes axis 3",
          "  count 3, min -3.2e+38, max 3.2e+38, mean 0, stddev 2.61279e+38, special 0"}},
    };
    return cases;
}

// Whether `line` starts the same as `expected` (the program may add the
// element type after what the README states) or equals it; complex lines
// of the README stop after the real parts' figures.
bool Matches(const QString& line, const QString& expected)
{
    return line == expected || line.startsWith(expected + QLatin1Char(',')) ||
           line.startsWith(expected + QLatin1Char(';')) || line.startsWith(expected + QLatin1String(" ("));
}

TEST(ViewProducts, InfoGivesEveryStatedFigure)
{
    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    TempDir home;
    for (const InfoCase& c : InfoCases()) {
        SCOPED_TRACE(c.file);
        const ProgramRun run = View(home, {"--info", Products() + QLatin1Char('/') + QLatin1String(c.file)});
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
        qsizetype at = 0;
        for (const char* expected : c.lines) {
            const QString want = QString::fromUtf8(expected);
            while (at < lines.size() && !Matches(lines[at], want))
                ++at;
            EXPECT_LT(at, lines.size()) << "missing: " << expected << "\nin:\n" << run.out.toStdString();
            if (at >= lines.size())
                break;
            ++at;
        }
    }
}

struct ExportCase {
    const char* file;
    const char* object;  // empty: the first table
    qsizetype rows;
    std::vector<const char*> header;  // the first names of the header row (all of them when `columns` is 0)
    qsizetype columns;
    std::vector<const char*> first;  // the first values of the first row
};

const std::vector<ExportCase>& ExportCases()
{
    static const std::vector<ExportCase> cases = {
        {"pds4-table-char-viking-lander-rocks/vl0axrat_char.xml",
         "",
         304,
         {"surface_type", "burial_state", "bin_number", "lower_bin_boundary", "upper_bin_boundary", "surface_area",
          "n_area", "arlw_average", "arlw_standard_deviation", "n_arlw", "arwh_average", "arwh_standard_deviation",
          "n_arwh", "arlh_average", "arlh_standard_deviation", "n_arlh"},
         16,
         {"1", "1", "1", "", "", "0", "0", "0", "0", "0", "0", "0"}},
        {"pds4-table-char-viking-lander-rocks/vl0axrat_delim.xml",
         "",
         304,
         {"surface_type", "burial_state", "bin_number", "lower_bin_boundary"},
         16,
         {"1", "1", "1", "", "", "0", "0", "0", "0", "0", "0", "0"}},
        {"pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_abund_profiles.xml",
         "",
         20,
         {"Row", "Pressure", "C2H4 MF 2011-062", "C2H4 MF 2011-188", "C2H4 MF 2011-199", "C2H4 MF 2012-013",
          "C2H4 MF 2012-014", "C2H4 MF 2012-047", "C2H4 MF 2012-107"},
         9,
         {"0", "7.98299", "1.17e-10", "3.8e-10", "3.17e-10", "4.39e-10", "6.29e-10", "4.4e-10", "6.88e-11"}},
        {"pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_abund_profiles.xml",
         "hesman_c2h4_abund_errors",
         20,
         {"Row", "Pressure", "C2H4ERR MF 2011-062"},
         9,
         {"0", "7.98299", "6.27e-11", "2.17e-10", "1.44e-10", "2.31e-10", "2.9e-10", "1.93e-10", "3.42e-11"}},
        {"pds4-table-delimited-cassini-cirs/cocirs_c2h4abund_temp_profiles.xml",
         "",
         71,
         {"Row", "Pressure", "T(K) 2011-062"},
         9,
         {"0", "4001.02026", "207.15", "206.76", "212.07", "207.16", "212.08", "206.74", "212.05"}},
        {"pds4-table-nh-pluto-spectrum-lblx/pluto_spectrum.lblx",
         "",
         1266,
         {"Wavelength", "Specific Intensity"},
         2,
         {"0.3005", "0.0341627"}},
        {"pds4-table-binary-mer-rat/Product_Table_Binary.xml",
         "",
         336,
         {"SCLK_SECONDS", "SCLK_SUBSECONDS", "SPARE", "ROTATION_MOTOR_POSITION"},
         20,
         {"234493158", "34004", "63144", "7.12055834903716", "0.06512460599999999", "0.0008471292618405255",
          "0.0010749800000000032", "0.3587368307115024", "0.053601852000000005", "1e+30", "0", "0"}},
        {"pds4-synthetic-pds4tools/test_table_data_types.xml",
         "",
         3,
         {"SignedByte", "UnsignedByte", "SignedMSB2", "SignedMSB4", "SignedMSB8", "UnsignedMSB2", "UnsignedMSB4",
          "UnsignedMSB8", "IEEE754MSBSingle", "IEEE754MSBDouble", "ComplexMSB8", "ComplexMSB16"},
         41,
         {"-100", "150", "-32237", "2147480000", "9003372036854775800", "502", "50349235", "987654073709550582",
          "-1.3872854796815689e-43", "1.79e+308", "3.2028230874137923e+38+141000j", "2.2150738579999996e-308+141000j"}},
        {"pds4-synthetic-pds4tools/test_group_fields.xml",
         "two_group_fields",
         21,
         {},
         100,
         {"267.01802737462884", "263.82890834888286", "265.4317172773347", "262.3184908968709", "264.64595591191824",
          "265.4317172773347", "262.3184908968709", "263.8393009906286", "260.79926903777556", "263.09355472219585",
          "263.8393009906286", "260.79926903777556"}},
        {"pds4-synthetic-pds4tools/test_group_fields.xml",
         "three_group_fields",
         21,
         {},
         110,
         {"0", "267.01802737462884", "263.82890834888286", "265.4317172773347", "262.3184908968709",
          "264.64595591191824", "265.4317172773347", "262.3184908968709", "263.8393009906286", "260.79926903777556",
          "263.09355472219585", "1"}},
        {"pds4-synthetic-pds4tools/test_masked_data.xml",
         "Masked Data Table",
         4,
         {"SignedMSB4", "IEEE754MSBDouble", "ASCII_Real", "ASCII_Integer", "ASCII_Numeric_Base16",
          "SignedMSB4 with Scaling/Offset", "ASCII_Real with Scaling"},
         7,
         {"2147480000", "1.79e+308", "1.79e+308", "-9003372036854775800", "17396744073709550582", "21474800000.5",
          "1.79e+307"}},
        {"pds3-pds4-table-voyager-ele-mom/ELE_MOM.LBL",
         "",
         2278,
         {"TIME", "ELE_DEN", "ELE_TEMP"},
         3,
         {"1979-07-06T00:00:42.687Z", "0.0153", "1610"}},
        {"pds3-pds4-table-voyager-ele-mom/ELE_MOM.xml",
         "",
         2278,
         {"TIME", "ELE_DEN", "ELE_TEMP"},
         3,
         {"1979-07-06T00:00:42.687Z", "0.0153", "1610"}},
        {"pds3-table-ascii-mro-sharad-geom/s_00690502_geom.lbl",
         "",
         1408,
         {"RADARGRAM COLUMN", "TIME", "LATITUDE", "LONGITUDE", "MARS RADIUS", "SPACECRAFT RADIUS", "RADIAL VELOCITY",
          "TANGENTIAL VELOCITY", "SZA", "PHASE/1.0E16"},
         10,
         {"1", "2008-01-16T12:47:19.761", "47.7379", "23.6632", "3386.22", "3685.174", "18.7747", "3412.2942", "113.15",
          "0"}},
        {"pds3-table-ascii-structure-in-label-dir/PWR02176_01.LBL",
         "",
         268,
         {"UTC_TIME", "JULIAN_SEC", "POWER_A1", "POWER_A2", "POWER_B1_B2", "POWER_B3_B4", "POWER_C", "POWER_POWER",
          "POWER_CPU", "POWER_PSD1", "POWER_PSD2"},
         11,
         {"24JUN02  00:23:01.21", "1052740823.0185547", "200", "710", "300", "425", "355", "205", "735", "882.6777884",
          "772.3709227"}},
    };
    return cases;
}

// Splits one CSV line (no line ends inside cells in these products).
QStringList CsvCells(const QString& line)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            cells += cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells += cell;
    return cells;
}

TEST(ViewProducts, ExportGivesTheStatedRowsColumnsAndFirstRow)
{
    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    TempDir home;
    for (const ExportCase& c : ExportCases()) {
        SCOPED_TRACE(std::string(c.file) + " " + c.object);
        const QString out = home.file(QStringLiteral("out.csv"));
        QFile::remove(out);
        QStringList arguments{"--export", out, Products() + QLatin1Char('/') + QLatin1String(c.file)};
        if (*c.object)
            arguments << "--object" << QString::fromUtf8(c.object);
        const ProgramRun run = View(home, arguments);
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().isEmpty());  // every line ends
        lines.removeLast();
        EXPECT_EQ(lines.size() - 1, c.rows);
        const QStringList header = CsvCells(lines[0]);
        EXPECT_EQ(header.size(), c.columns);
        for (std::size_t i = 0; i < c.header.size() && qsizetype(i) < header.size(); ++i)
            EXPECT_EQ(header[qsizetype(i)].toStdString(), c.header[i]);
        ASSERT_GE(lines.size(), 2);
        const QStringList first = CsvCells(lines[1]);
        EXPECT_EQ(first.size(), c.columns);
        for (std::size_t i = 0; i < c.first.size() && qsizetype(i) < first.size(); ++i)
            EXPECT_EQ(first[qsizetype(i)].toStdString(), c.first[i]) << "column " << i + 1;
    }
}

TEST(ViewProducts, JsonNamesEveryObjectWithItsFacts)
{
    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    TempDir home;
    const ProgramRun run = View(home, {"--info", "--json",
                                       Products() + "/pds3-msl-mastcam-thumb-3778ml/"
                                                    "3778ml1037770010808163i01_dxxx.xml"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonArray objects = document.object().value("objects").toArray();
    ASSERT_FALSE(objects.isEmpty());
    const QJsonObject image = objects[0].toObject();
    EXPECT_EQ(image.value("name").toString(), "thumbnail_image");
    EXPECT_EQ(image.value("kind").toString(), "image");
    EXPECT_EQ(image.value("lines").toInt(), 16);
    EXPECT_EQ(image.value("samples").toInt(), 16);
    EXPECT_EQ(image.value("bands").toInt(), 3);
    const QJsonArray stats = image.value("bandStats").toArray();
    ASSERT_EQ(stats.size(), 3);
    const QJsonObject band2 = stats[1].toObject();
    EXPECT_EQ(band2.value("count").toInt(), 256);
    EXPECT_EQ(band2.value("min").toDouble(), 104);
    EXPECT_EQ(band2.value("max").toDouble(), 171);
    EXPECT_NEAR(band2.value("mean").toDouble(), 132.602, 5e-4);
    EXPECT_NEAR(band2.value("stddev").toDouble(), 14.3562, 5e-5);
    EXPECT_EQ(band2.value("special").toInt(), 0);

    const ProgramRun table = View(home, {"--info", "--json",
                                         Products() + "/pds4-table-binary-mer-rat/"
                                                      "Product_Table_Binary.xml"});
    ASSERT_EQ(table.exitCode, 0) << table.err.toStdString();
    const QJsonObject rat = QJsonDocument::fromJson(table.out).object().value("objects").toArray()[0].toObject();
    EXPECT_EQ(rat.value("kind").toString(), "table");
    EXPECT_EQ(rat.value("rows").toInt(), 336);
    const QJsonArray columns = rat.value("columns").toArray();
    ASSERT_EQ(columns.size(), 20);
    EXPECT_EQ(columns[0].toObject().value("name").toString(), "SCLK_SECONDS");
    EXPECT_EQ(columns[0].toObject().value("unit").toString(), "second");
    EXPECT_EQ(columns[0].toObject().value("items").toInt(), 1);
    EXPECT_TRUE(columns[0].toObject().contains("type"));

    const ProgramRun arrays = View(home, {"--info", "--json",
                                          Products() + "/pds4-synthetic-pds4tools/"
                                                       "test_array_data_types.xml"});
    const QJsonObject signedByte =
        QJsonDocument::fromJson(arrays.out).object().value("objects").toArray()[0].toObject();
    EXPECT_EQ(signedByte.value("kind").toString(), "array");
    const QJsonArray axes = signedByte.value("axes").toArray();
    ASSERT_EQ(axes.size(), 1);
    EXPECT_EQ(axes[0].toObject().value("name").toString(), "axis");
    EXPECT_EQ(axes[0].toObject().value("elements").toInt(), 3);
    EXPECT_EQ(signedByte.value("bandStats").toArray().size(), 1);
}

TEST(ViewProducts, VicarFilesAreRefusedWithOneLine)
{
    if (!QDir(Products()).exists())
        GTEST_SKIP() << "no products at " << Products().toStdString();
    TempDir home;
    for (const char* file :
         {"pds3-mgn-fmidr-ff01/FF01.IMG", "pds4-insight-icc-vicar-c000m5232/C000M5232T493378259EDR_F0000_0134M1.IMG"}) {
        const ProgramRun run = View(home, {"--info", Products() + QLatin1Char('/') + QLatin1String(file)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(file)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("VICAR"));
    }
}

}  // namespace
