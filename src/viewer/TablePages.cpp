#include "viewer/TablePages.h"

#include "viewer/PlotView.h"
#include "viewer/TableView.h"
#include "viewer/ViewerTexts.h"

#include <QVBoxLayout>

namespace viewer {

TablePages::TablePages(const product::Product& product, int objectIndex, QWidget* parent)
    : QTabWidget(parent), m_product(product), m_object(objectIndex)
{
    setDocumentMode(true);
    setTabPosition(QTabWidget::South);
    // Empty holders; each view is made into its holder when first shown.
    m_rowsIndex = addTab(new QWidget(this), QString::fromUtf8(text::kTabTable));
    m_plotIndex = addTab(new QWidget(this), QString::fromUtf8(text::kTabPlot));
    for (int i = 0; i < count(); ++i) {
        auto* layout = new QVBoxLayout(widget(i));
        layout->setContentsMargins(0, 0, 0, 0);
    }
    const auto& object = product.objects.at(std::size_t(objectIndex));
    const auto* table = std::get_if<product::TableObject>(&object);
    const bool plotFirst = !table || PlotFirst(*table);
    if (!table) {
        // A 1-D array has no rows to page through.
        setTabEnabled(m_rowsIndex, false);
        setTabVisible(m_rowsIndex, false);
    }
    connect(this, &QTabWidget::currentChanged, this, &TablePages::MakePage);
    setCurrentIndex(plotFirst ? m_plotIndex : m_rowsIndex);
    MakePage(currentIndex());
}

bool TablePages::PlotFirst(const product::TableObject& table)
{
    const QString type = table.objectType.toUpper();
    return type.endsWith(QLatin1String("SERIES")) || type.endsWith(QLatin1String("SPECTRUM"));
}

void TablePages::MakePage(int index)
{
    QWidget* holder = widget(index);
    if (!holder)
        return;
    if (index == m_rowsIndex && !m_rows) {
        m_rows = new TableView(m_product, m_object, holder);
        holder->layout()->addWidget(m_rows);
    } else if (index == m_plotIndex && !m_plot) {
        m_plot = new PlotView(m_product, m_object, holder);
        holder->layout()->addWidget(m_plot);
    }
}

void TablePages::ShowRows() { setCurrentIndex(m_rowsIndex); }

void TablePages::ShowPlot() { setCurrentIndex(m_plotIndex); }

void TablePages::Export()
{
    if (currentIndex() == m_rowsIndex && m_rows)
        m_rows->Export();
    else if (currentIndex() == m_plotIndex && m_plot)
        m_plot->Export();
}

}  // namespace viewer
