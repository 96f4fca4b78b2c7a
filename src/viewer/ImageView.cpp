#include "viewer/ImageView.h"

#include "product/Value.h"
#include "viewer/HistogramWidget.h"
#include "viewer/ViewerTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cmath>

namespace viewer {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

QString Number(double value)
{
    std::string out;
    product::AppendReal(out, value);
    return QString::fromStdString(out);
}

// A caption for a control; the control takes its text, without the colon,
// as its accessible name.
QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(T(text), parent);
    label->setBuddy(buddy);
    QString name = T(text);
    name.remove(QLatin1Char(':'));
    buddy->setAccessibleName(name);
    return label;
}

}  // namespace

ImageView::ImageView(std::shared_ptr<const product::ArrayReader> reader, QWidget* parent, std::int64_t tileCacheBytes)
    : QWidget(parent), m_reader(std::move(reader))
{
    m_loader = new TileLoader(m_reader, tileCacheBytes, this);
    m_canvas = new ImageCanvas(*m_loader, this);
    m_histogram = new HistogramWidget(this);
    BuildControls();
    m_look.colours = MakeColourTable(ColourMapKind::Gray, false);
    connect(m_loader, &TileLoader::overviewReady, this, [this] { UpdateLook(); });
    connect(m_loader, &TileLoader::failed, this, &ImageView::ShowProblem);
    connect(m_canvas, &ImageCanvas::hovered, this, &ImageView::OnHovered);
    connect(m_canvas, &ImageCanvas::zoomChanged, this,
            [this](double zoom) { m_zoom->setText(T(text::kZoom).arg(zoom * 100, 0, 'g', 3)); });
    connect(m_histogram, &HistogramWidget::limitsDragged, this,
            [this](double low, double high) { SetLimits(low, high); });
    if (!m_reader->problem().isEmpty())
        ShowProblem(m_reader->problem());
    m_zoom->setText(T(text::kZoom).arg(m_canvas->zoom() * 100, 0, 'g', 3));
    UpdateLook();
}

ImageView::~ImageView() = default;

void ImageView::BuildControls()
{
    const std::int64_t bands = m_reader->array().Bands();
    m_band = new QComboBox(this);
    for (std::int64_t b = 1; b <= bands; ++b)
        m_band->addItem(T(text::kBandItem).arg(b));
    m_rgb = new QCheckBox(T(text::kRgb), this);
    for (std::size_t c = 0; c < 3; ++c) {
        m_rgbBands[c] = new QComboBox(this);
        for (std::int64_t b = 1; b <= bands; ++b)
            m_rgbBands[c]->addItem(T(text::kBandItem).arg(b));
        m_rgbBands[c]->setCurrentIndex(int(std::min<std::int64_t>(std::int64_t(c), bands - 1)));
        m_rgbBands[c]->setEnabled(false);
    }
    m_stretch = new QComboBox(this);
    m_stretch->addItems({T(text::kStretchPercentile), T(text::kStretchMinMax), T(text::kStretchManual)});
    m_low = new QLineEdit(this);
    m_high = new QLineEdit(this);
    for (QLineEdit* edit : {m_low, m_high})
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    m_colours = new QComboBox(this);
    m_colours->addItems({T(text::kMapGray), T(text::kMapViridis), T(text::kMapMagma), T(text::kMapCividis)});
    m_invert = new QCheckBox(T(text::kInvert), this);
    m_zoom = new QLabel(this);
    // Wide enough for any zoom, so the row does not move as it changes.
    m_zoom->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000 %")));
    m_zoom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(Caption(text::kBand, m_band, this));
    top->addWidget(m_band);
    if (bands >= 2) {
        top->addWidget(m_rgb);
        const char* captions[] = {text::kRed, text::kGreen, text::kBlue};
        for (std::size_t c = 0; c < 3; ++c) {
            top->addWidget(Caption(captions[c], m_rgbBands[c], this));
            top->addWidget(m_rgbBands[c]);
        }
    } else {
        m_rgb->setVisible(false);
        for (QComboBox* combo : m_rgbBands)
            combo->setVisible(false);
    }
    top->addSpacing(12);
    top->addWidget(Caption(text::kColours, m_colours, this));
    top->addWidget(m_colours);
    top->addWidget(m_invert);
    top->addStretch(1);
    top->addWidget(m_zoom);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Caption(text::kStretch, m_stretch, this));
    bottom->addWidget(m_stretch);
    bottom->addWidget(Caption(text::kLow, m_low, this));
    bottom->addWidget(m_low);
    bottom->addWidget(Caption(text::kHigh, m_high, this));
    bottom->addWidget(m_high);
    bottom->addWidget(m_histogram, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_problem);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(bottom);

    connect(m_band, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating)
            SetBand(index);
    });
    connect(m_rgb, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating)
            SetRgb(on, {m_rgbBands[0]->currentIndex(), m_rgbBands[1]->currentIndex(), m_rgbBands[2]->currentIndex()});
    });
    for (QComboBox* combo : m_rgbBands)
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_updating)
                SetRgb(m_rgb->isChecked(),
                       {m_rgbBands[0]->currentIndex(), m_rgbBands[1]->currentIndex(), m_rgbBands[2]->currentIndex()});
        });
    connect(m_stretch, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating)
            SetStretchMode(StretchMode(index));
    });
    connect(m_low, &QLineEdit::editingFinished, this, &ImageView::OnLimitsTyped);
    connect(m_high, &QLineEdit::editingFinished, this, &ImageView::OnLimitsTyped);
    const auto colours = [this] {
        if (!m_updating)
            SetColourMap(ColourMapKind(m_colours->currentIndex()), m_invert->isChecked());
    };
    connect(m_colours, &QComboBox::currentIndexChanged, this, colours);
    connect(m_invert, &QCheckBox::toggled, this, colours);
}

void ImageView::SetBand(std::int64_t band)
{
    m_look.bands[0] = std::clamp<std::int64_t>(band, 0, m_reader->array().Bands() - 1);
    m_look.rgb = false;
    UpdateLook();
}

void ImageView::SetRgb(bool on, std::array<std::int64_t, 3> bands)
{
    m_look.rgb = on;
    if (on)
        for (std::size_t c = 0; c < 3; ++c)
            m_look.bands[c] = std::clamp<std::int64_t>(bands[c], 0, m_reader->array().Bands() - 1);
    else
        m_look.bands[0] = m_band->currentIndex();
    UpdateLook();
}

void ImageView::SetStretchMode(StretchMode mode)
{
    if (mode == StretchMode::Manual && m_mode != StretchMode::Manual)
        m_manual = m_look.limits[0];
    m_mode = mode;
    UpdateLook();
}

void ImageView::SetLimits(double low, double high)
{
    m_manual = StretchLimits{std::min(low, high), std::max(low, high)};
    m_mode = StretchMode::Manual;
    UpdateLook();
}

void ImageView::SetColourMap(ColourMapKind kind, bool invert)
{
    m_look.colours = MakeColourTable(kind, invert);
    m_updating = true;
    m_colours->setCurrentIndex(int(kind));
    m_invert->setChecked(invert);
    m_updating = false;
    UpdateLook();
}

void ImageView::OnLimitsTyped()
{
    if (m_updating)
        return;
    bool lowOk = false, highOk = false;
    const double low = m_low->text().toDouble(&lowOk);
    const double high = m_high->text().toDouble(&highOk);
    const StretchLimits shown = m_look.limits[0];
    if (!lowOk || !highOk || !std::isfinite(low) || !std::isfinite(high)) {
        UpdateLook();  // back to the limits in use
        return;
    }
    if (low != shown.low || high != shown.high)
        SetLimits(low, high);
}

void ImageView::UpdateLook()
{
    ImageLook& look = m_look;
    const int channels = look.rgb ? 3 : 1;
    for (int c = 0; c < channels; ++c) {
        const auto overview = m_loader->FindOverview(look.bands[std::size_t(c)]);
        StretchLimits& limits = look.limits[std::size_t(c)];
        if (m_mode == StretchMode::Manual)
            limits = m_manual;
        else if (overview && overview->summary.valid && m_mode == StretchMode::Percentile)
            limits = {overview->summary.lowPercentile, overview->summary.highPercentile};
        else if (overview && overview->summary.valid)
            limits = {overview->summary.min, overview->summary.max};
    }
    m_canvas->SetLook(look);

    m_updating = true;
    m_stretch->setCurrentIndex(int(m_mode));
    m_band->setCurrentIndex(int(look.bands[0]));
    m_rgb->setChecked(look.rgb);
    m_band->setEnabled(!look.rgb);
    for (QComboBox* combo : m_rgbBands)
        combo->setEnabled(look.rgb);
    m_colours->setEnabled(!look.rgb);
    m_invert->setEnabled(!look.rgb);
    m_low->setText(Number(look.limits[0].low));
    m_high->setText(Number(look.limits[0].high));
    m_updating = false;
    const auto overview = m_loader->FindOverview(look.bands[0]);
    m_histogram->SetSummary(overview ? overview->summary : BandSummary{});
    m_histogram->SetLimits(look.limits[0]);
}

QString ImageView::PixelText(std::int64_t line, std::int64_t sample) const
{
    const product::ArrayObject& array = m_reader->array();
    const ImageLook& look = m_look;
    const QString l = QString::number(line + 1);
    const QString s = QString::number(sample + 1);
    const auto stored = [&](std::int64_t band) {
        return m_reader->ReadBand(band, product::BandWindow{line, sample, 1, 1, 1}).at(0);
    };
    try {
        if (look.rgb)
            return T(text::kPixelRgb)
                .arg(l, s, Number(stored(look.bands[0])), Number(stored(look.bands[1])), Number(stored(look.bands[2])));
        const double value = stored(look.bands[0]);
        const QString special = SpecialValues(array.specials).NameOf(value);
        if (!special.isEmpty())
            return T(text::kPixelSpecial).arg(l, s, special, Number(value));
        if (std::isnan(value) && !m_reader->problem().isEmpty())
            return T(text::kPixelMissing).arg(l, s);
        const double scaled = value * array.scaling.scalingFactor + array.scaling.valueOffset;
        if (array.unit.isEmpty())
            return T(text::kPixelValue).arg(l, s, Number(value), Number(scaled));
        return T(text::kPixelValueUnit).arg(l, s, Number(value), Number(scaled), array.unit);
    } catch (const product::Error& error) {
        return error.message;
    }
}

void ImageView::OnHovered(qint64 line, qint64 sample)
{
    emit statusMessage(line < 0 ? QString() : PixelText(line, sample));
}

bool ImageView::ExportPng(const QString& path, QString& error)
{
    const QImage image = m_canvas->grab().toImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        error = file.errorString();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void ImageView::ShowProblem(const QString& message)
{
    m_problem->setText(T(text::kProblem).arg(message));
    m_problem->setVisible(true);
}

}  // namespace viewer
