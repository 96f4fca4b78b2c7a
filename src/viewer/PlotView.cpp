#include "viewer/PlotView.h"

#include "viewer/Decimator.h"
#include "viewer/TablePlotTexts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace viewer {

namespace {

// Distinct line colours, readable on light and dark backgrounds.
const QColor kColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
                           QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                           QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
                           QColor(0x17, 0xbe, 0xcf)};

// Leaves out the rows without an x and orders the rest by x (stable, so
// rows with equal x keep their order). Most series come sorted already.
void SortByX(std::vector<double>& xs, std::vector<std::vector<double>>& ys)
{
    const bool allFinite = std::all_of(xs.begin(), xs.end(), [](double v) { return std::isfinite(v); });
    if (allFinite && std::is_sorted(xs.begin(), xs.end()))
        return;
    std::vector<std::size_t> order;
    order.reserve(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        if (std::isfinite(xs[i]))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&xs](std::size_t a, std::size_t b) { return xs[a] < xs[b]; });
    auto gather = [&order](const std::vector<double>& from) {
        std::vector<double> to(order.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            to[i] = from[order[i]];
        return to;
    };
    xs = gather(xs);
    for (auto& y : ys)
        y = gather(y);
}

void Widen(double& low, double& high)
{
    if (!(high > low)) {
        const double pad = low == 0 ? 1 : std::fabs(low) * 0.05;
        low -= pad;
        high += pad;
        return;
    }
    const double pad = (high - low) * 0.03;
    low -= pad;
    high += pad;
}

}  // namespace

PlotView::PlotView(const product::Product& product, int objectIndex, QWidget* parent) : QWidget(parent)
{
    BuildControls();
    SetStatus(texts::Loading());
    Start([product, objectIndex]() -> Loaded {
        Loaded loaded;
        try {
            loaded.source = PlotSource::Open(product, objectIndex);
            loaded.x = loaded.source->defaultX();
            loaded.ys = {loaded.source->defaultY()};
            std::vector<std::vector<double>> values = loaded.source->Read({loaded.x, loaded.ys[0]});
            loaded.xs = std::move(values[0]);
            loaded.yValues = {std::move(values[1])};
            SortByX(loaded.xs, loaded.yValues);
        } catch (const product::Error& error) {
            loaded.error = error.message;
        }
        return loaded;
    });
}

PlotView::~PlotView()
{
    // The worker holds no pointer to this widget; only its result is
    // dropped.
    m_watcher.disconnect(this);
}

void PlotView::BuildControls()
{
    auto* xLabel = new QLabel(texts::XAxis(), this);
    m_x = new QComboBox(this);
    m_x->setAccessibleName(texts::XAxis());
    xLabel->setBuddy(m_x);
    auto* yLabel = new QLabel(texts::YAxis(), this);
    m_y = new QListWidget(this);
    m_y->setAccessibleName(texts::YAxis());
    yLabel->setBuddy(m_y);
    m_autoscale = new QPushButton(texts::Autoscale(), this);
    m_exportPng = new QPushButton(texts::ExportPng(), this);
    m_exportSvg = new QPushButton(texts::ExportSvg(), this);
    m_plot = new QCustomPlot(this);
    m_plot->setAccessibleName(texts::PlotLabel());
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->setNoAntialiasingOnDrag(true);
    m_status = new QLabel(this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* side = new QVBoxLayout;
    side->addWidget(xLabel);
    side->addWidget(m_x);
    side->addWidget(yLabel);
    side->addWidget(m_y, 1);
    side->addWidget(m_autoscale);
    side->addWidget(m_exportPng);
    side->addWidget(m_exportSvg);
    auto* top = new QHBoxLayout;
    top->addLayout(side);
    top->addWidget(m_plot, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top, 1);
    layout->addWidget(m_status);
    m_x->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    m_y->setMaximumWidth(m_x->maximumWidth());

    connect(m_x, &QComboBox::currentIndexChanged, this, &PlotView::OnChoicesChanged);
    connect(m_y, &QListWidget::itemChanged, this, &PlotView::OnChoicesChanged);
    connect(m_autoscale, &QPushButton::clicked, this, &PlotView::Autoscale);
    connect(m_exportPng, &QPushButton::clicked, this,
            [this] { ExportTo(texts::ExportPlotTitle(), texts::PngFilter(), false); });
    connect(m_exportSvg, &QPushButton::clicked, this,
            [this] { ExportTo(texts::ExportPlotTitle(), texts::SvgFilter(), true); });
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &PlotView::ShowLoaded);
    connect(m_plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &PlotView::Redecimate);
    ApplyPalette();
}

void PlotView::ApplyPalette()
{
    const QPalette& p = palette();
    m_plot->setBackground(p.brush(QPalette::Base));
    const QColor text = p.color(QPalette::Text);
    QColor grid = text;
    grid.setAlpha(50);
    for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis, m_plot->xAxis2, m_plot->yAxis2}) {
        axis->setBasePen(QPen(text));
        axis->setTickPen(QPen(text));
        axis->setSubTickPen(QPen(text));
        axis->setTickLabelColor(text);
        axis->setLabelColor(text);
        axis->grid()->setPen(QPen(grid, 0, Qt::DotLine));
    }
    m_plot->legend->setBrush(p.brush(QPalette::Base));
    m_plot->legend->setTextColor(text);
    m_plot->legend->setBorderPen(QPen(text));
}

void PlotView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_plot) {
        ApplyPalette();
        m_plot->replot();
    }
}

void PlotView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Redecimate();
}

void PlotView::Start(std::function<Loaded()> work)
{
    m_applied = false;
    m_loading = QtConcurrent::run(std::move(work));
    m_watcher.setFuture(m_loading);
    for (QWidget* w : {static_cast<QWidget*>(m_x), static_cast<QWidget*>(m_y)})
        w->setEnabled(false);
}

void PlotView::WaitUntilLoaded()
{
    // A future whose result was taken is no longer valid and never
    // finishes.
    if (m_applied)
        return;
    m_loading.waitForFinished();
    ShowLoaded();
}

void PlotView::ShowLoaded()
{
    if (m_applied || !m_loading.isFinished())
        return;
    m_applied = true;
    Loaded loaded = m_loading.takeResult();
    m_x->setEnabled(true);
    m_y->setEnabled(true);
    if (!loaded.source) {
        m_plot->clearGraphs();
        m_plot->replot();
        SetStatus(loaded.error);
        return;
    }
    const bool first = !m_source;
    m_source = std::move(loaded.source);
    m_shownX = loaded.x;
    m_shownYs = loaded.ys;
    m_xs = std::move(loaded.xs);
    m_yValues = std::move(loaded.yValues);
    if (first)
        FillChoices();

    const std::vector<PlotQuantity>& quantities = m_source->quantities();
    const PlotQuantity& x = quantities[std::size_t(m_shownX)];
    m_plot->xAxis->setLabel(x.title);
    if (x.time) {
        auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
        ticker->setDateTimeSpec(Qt::UTC);
        ticker->setDateTimeFormat(QStringLiteral("yyyy-MM-dd\nhh:mm:ss"));
        m_plot->xAxis->setTicker(ticker);
    } else {
        m_plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
    m_plot->clearGraphs();
    for (std::size_t i = 0; i < m_shownYs.size(); ++i) {
        QCPGraph* graph = m_plot->addGraph();
        graph->setName(quantities[std::size_t(m_shownYs[i])].title);
        graph->setPen(QPen(kColours[i % std::size(kColours)], 1));
        graph->setAdaptiveSampling(false);  // the points handed over are already thinned
    }
    m_plot->yAxis->setLabel(m_shownYs.size() == 1 ? quantities[std::size_t(m_shownYs[0])].title : QString());
    m_plot->legend->setVisible(m_shownYs.size() > 1);

    m_xMin = m_xs.empty() ? 0 : m_xs.front();
    m_xMax = m_xs.empty() ? 1 : m_xs.back();
    m_yMin = INFINITY;
    m_yMax = -INFINITY;
    for (const auto& ys : m_yValues)
        for (double v : ys)
            if (std::isfinite(v)) {
                m_yMin = std::min(m_yMin, v);
                m_yMax = std::max(m_yMax, v);
            }
    if (!std::isfinite(m_yMin)) {
        m_yMin = 0;
        m_yMax = 1;
    }
    Widen(m_xMin, m_xMax);
    Widen(m_yMin, m_yMax);

    QString status = texts::PointCount().arg(m_xs.size());
    if (m_source->step() > 1)
        status += QLatin1String(". ") + texts::PlotThinned().arg(m_source->rows()).arg(m_source->step());
    if (!m_source->problem().isEmpty())
        status += QLatin1String(". ") + m_source->problem();
    SetStatus(status);
    Autoscale();
}

void PlotView::FillChoices()
{
    const QSignalBlocker blockX(m_x);
    const QSignalBlocker blockY(m_y);
    m_x->clear();
    m_y->clear();
    const std::vector<PlotQuantity>& quantities = m_source->quantities();
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        const PlotQuantity& q = quantities[i];
        m_x->addItem(q.title, int(i));
        if (q.source != PlotQuantity::Source::Field && q.source != PlotQuantity::Source::Elements)
            continue;
        if (q.time)
            continue;
        auto* item = new QListWidgetItem(q.title, m_y);
        item->setData(Qt::UserRole, int(i));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool shown = std::find(m_shownYs.begin(), m_shownYs.end(), int(i)) != m_shownYs.end();
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    }
    m_x->setCurrentIndex(m_x->findData(m_shownX));
}

void PlotView::OnChoicesChanged()
{
    if (!m_source)
        return;
    std::vector<int> ys;
    for (int i = 0; i < m_y->count(); ++i)
        if (m_y->item(i)->checkState() == Qt::Checked)
            ys.push_back(m_y->item(i)->data(Qt::UserRole).toInt());
    SetQuantities(m_x->currentData().toInt(), ys);
}

void PlotView::SetQuantities(int x, const std::vector<int>& ys)
{
    if (!m_source || x < 0 || std::size_t(x) >= m_source->quantities().size())
        return;
    // Keep the controls in step when called from outside.
    {
        const QSignalBlocker blockX(m_x);
        const QSignalBlocker blockY(m_y);
        m_x->setCurrentIndex(m_x->findData(x));
        for (int i = 0; i < m_y->count(); ++i) {
            const int q = m_y->item(i)->data(Qt::UserRole).toInt();
            m_y->item(i)->setCheckState(std::find(ys.begin(), ys.end(), q) != ys.end() ? Qt::Checked : Qt::Unchecked);
        }
    }
    std::shared_ptr<const PlotSource> source = m_source;
    Start([source, x, ys]() -> Loaded {
        Loaded loaded;
        loaded.source = source;
        loaded.x = x;
        loaded.ys = ys;
        std::vector<int> wanted = {x};
        wanted.insert(wanted.end(), ys.begin(), ys.end());
        std::vector<std::vector<double>> values = source->Read(wanted);
        loaded.xs = std::move(values[0]);
        loaded.yValues.assign(std::make_move_iterator(values.begin() + 1), std::make_move_iterator(values.end()));
        SortByX(loaded.xs, loaded.yValues);
        return loaded;
    });
}

int PlotView::seriesCount() const { return m_plot->graphCount(); }

QString PlotView::statusText() const { return m_status->text(); }

void PlotView::SetStatus(const QString& text) { m_status->setText(text); }

void PlotView::Autoscale()
{
    m_plot->yAxis->setRange(m_yMin, m_yMax);
    m_plot->xAxis->setRange(m_xMin, m_xMax);  // thins the points again
    Redecimate();
    m_plot->replot();
}

void PlotView::ZoomX(double low, double high)
{
    m_plot->xAxis->setRange(low, high);
    m_plot->replot();
}

void PlotView::Redecimate()
{
    if (!m_plot)
        return;
    const QCPRange range = m_plot->xAxis->range();
    // At least as many columns as the plot has device pixels.
    const int columns = std::max(m_plot->width(), 800) * int(std::ceil(devicePixelRatioF()));
    for (int i = 0; i < m_plot->graphCount() && std::size_t(i) < m_yValues.size(); ++i) {
        const Points points = Decimate(m_xs, m_yValues[std::size_t(i)], range.lower, range.upper, columns);
        QVector<double> x(points.x.begin(), points.x.end());
        QVector<double> y(points.y.begin(), points.y.end());
        m_plot->graph(i)->setData(x, y, true);
    }
}

QString PlotView::ExportPng(const QString& path, int width, int height)
{
    const QPixmap picture = m_plot->toPixmap(width, height);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return texts::WriteFailed().arg(path);
    return {};
}

QString PlotView::ExportSvg(const QString& path, int width, int height)
{
    const int w = width > 0 ? width : m_plot->width();
    const int h = height > 0 ? height : m_plot->height();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return texts::WriteFailed().arg(path);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(QSize(w, h));
        generator.setViewBox(QRect(0, 0, w, h));
        generator.setTitle(m_plot->xAxis->label());
        QCPPainter painter;
        if (!painter.begin(&generator))
            return texts::WriteFailed().arg(path);
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        m_plot->toPainter(&painter, w, h);
        painter.end();
    }
    if (!file.commit())
        return texts::WriteFailed().arg(path);
    return {};
}

void PlotView::ExportTo(const QString& title, const QString& filter, bool svgByDefault)
{
    const QString path = QFileDialog::getSaveFileName(this, title, QString(), filter);
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix();
    const bool svg = suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0 ||
                     (suffix.isEmpty() && svgByDefault);
    const QString error = svg ? ExportSvg(path) : ExportPng(path);
    SetStatus(error.isEmpty() ? texts::Exported().arg(path) : error);
}

void PlotView::Export()
{
    ExportTo(texts::ExportPlotTitle(), texts::PngFilter() + QStringLiteral(";;") + texts::SvgFilter(), false);
}

}  // namespace viewer
