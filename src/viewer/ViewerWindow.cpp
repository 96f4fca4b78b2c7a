#include "viewer/ViewerWindow.h"

#include "platform/gui/HelpPage.h"
#include "product/OpenProduct.h"
#include "viewer/ImageView.h"
#include "viewer/LabelView.h"
#include "viewer/ObjectViewFactory.h"
#include "viewer/TablePages.h"
#include "viewer/ViewerTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>

namespace viewer {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

enum Role { kObjectRole = Qt::UserRole, kFirstLineRole, kLastLineRole };

const QString kOrganisation = QStringLiteral("Morvath");
const QString kSettingsName = QStringLiteral("Vellora Viewer");
const QString kGeometryKey = QStringLiteral("geometry");

QString Kind(const product::DataObject& object)
{
    if (std::holds_alternative<product::TableObject>(object))
        return T(text::kKindTable);
    const auto& array = std::get<product::ArrayObject>(object);
    return T(array.lineAxis >= 0 && array.sampleAxis >= 0 ? text::kKindImage : text::kKindArray);
}

QString Size(const product::DataObject& object)
{
    if (const auto* table = std::get_if<product::TableObject>(&object))
        return T(text::kSizeTable).arg(table->rows).arg(table->columns.size());
    const auto& array = std::get<product::ArrayObject>(object);
    if (array.lineAxis >= 0 && array.sampleAxis >= 0)
        return T(text::kSizeImage).arg(array.Lines()).arg(array.Samples()).arg(array.Bands());
    QStringList sizes;
    for (const product::Axis& axis : array.axes)
        sizes.append(QString::number(axis.elements));
    return T(text::kSizeAxes).arg(sizes.join(QStringLiteral(" \u00d7 ")));
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(T(text::kEmptyTitle));
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({T(text::kColumnObject), T(text::kColumnKind), T(text::kColumnSize)});
    m_tree->setAccessibleName(T(text::kStructureName));
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_views = new QStackedWidget(this);
    m_label = new LabelView(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_views, T(text::kTabData));
    m_tabs->addTab(m_label, T(text::kTabLabel));
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_tabs);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({330, 770});
    setCentralWidget(splitter);
    statusBar();
    BuildActions();
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &ViewerWindow::OnSelection);

    const QByteArray geometry = QSettings(kOrganisation, kSettingsName).value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 760);
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::BuildActions()
{
    QMenu* file = menuBar()->addMenu(T(text::kMenuFile));
    file->addAction(T(text::kActionOpen), QKeySequence::Open, this, &ViewerWindow::OnOpen);
    file->addAction(T(text::kActionExport), QKeySequence(Qt::CTRL | Qt::Key_E), this, &ViewerWindow::OnExport);
    file->addSeparator();
    file->addAction(T(text::kActionQuit), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);
    QMenu* view = menuBar()->addMenu(T(text::kMenuView));
    QAction* zoomIn = view->addAction(T(text::kActionZoomIn), this,
                                      [this] { OnImage([](ImageView& v) { v.canvas().ZoomIn(); }); });
    zoomIn->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence::ZoomIn});
    QAction* zoomOut = view->addAction(T(text::kActionZoomOut), this,
                                       [this] { OnImage([](ImageView& v) { v.canvas().ZoomOut(); }); });
    zoomOut->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    view->addAction(T(text::kActionFit), QKeySequence(Qt::Key_0), this,
                    [this] { OnImage([](ImageView& v) { v.canvas().Fit(); }); });
    view->addAction(T(text::kActionActualSize), QKeySequence(Qt::Key_1), this,
                    [this] { OnImage([](ImageView& v) { v.canvas().ActualSize(); }); });
    QMenu* help = menuBar()->addMenu(T(text::kMenuHelp));
    help->addAction(T(text::kActionHelp), QKeySequence::HelpContents, this, &ViewerWindow::OnHelp);
}

template <typename Action>
void ViewerWindow::OnImage(Action action)
{
    if (ImageView* view = currentImageView()) {
        m_tabs->setCurrentIndex(0);
        action(*view);
    }
}

bool ViewerWindow::OpenFile(const QString& path)
{
    m_path = QFileInfo(path).absoluteFilePath();
    setWindowTitle(T(text::kWindowTitle).arg(QFileInfo(path).fileName()));
    m_tree->clear();
    for (auto& [index, view] : m_objectViews)
        view->deleteLater();
    m_objectViews.clear();
    m_currentObject = -1;
    m_product.reset();
    m_label->SetLabel(QString(), product::LabelFlavour::Pds3);
    try {
        m_product = product::OpenProductOrLabelBeside(path);
    } catch (const product::Error& error) {
        auto* root = new QTreeWidgetItem(m_tree, {QFileInfo(path).fileName()});
        root->setData(0, kObjectRole, -1);
        ShowMessage(T(text::kNotProduct).arg(QFileInfo(path).fileName(), error.message));
        return false;
    }
    m_label->SetLabel(m_product->labelText, m_product->flavour);
    FillStructure();
    if (!m_product->warnings.isEmpty())
        statusBar()->showMessage(T(text::kProblem).arg(m_product->warnings.first()));
    // The first image, else the first data object.
    int first = -1;
    for (std::size_t i = 0; i < m_product->objects.size() && first < 0; ++i) {
        const auto* array = std::get_if<product::ArrayObject>(&m_product->objects[i]);
        if (array && array->lineAxis >= 0 && array->sampleAxis >= 0)
            first = int(i);
    }
    if (first < 0 && !m_product->objects.empty())
        first = 0;
    if (first >= 0)
        SelectObject(first);
    else
        ShowMessage(T(text::kNoData));
    return true;
}

void ViewerWindow::ShowMessage(const QString& text)
{
    if (m_message) {
        m_views->removeWidget(m_message);
        m_message->deleteLater();
    }
    m_message = ObjectViewFactory::Message(text, m_views);
    m_views->addWidget(m_message);
    m_views->setCurrentWidget(m_message);
    m_tabs->setCurrentIndex(0);
}

void ViewerWindow::FillStructure()
{
    QTreeWidgetItem* root = AddNode(m_product->structure, nullptr);
    root->setText(0, QFileInfo(m_product->labelFile).fileName());
    // The label's top level and the way to every data object are open; a
    // PDS4 label's many other classes stay folded.
    root->setExpanded(true);
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, kObjectRole).toInt() >= 0)
            for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
                up->setExpanded(true);
}

QTreeWidgetItem* ViewerWindow::AddNode(const product::LabelNode& node, QTreeWidgetItem* parent)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setText(0, node.title.isEmpty() || node.title == node.name ? node.name
                                                                     : T(text::kTitledNode).arg(node.name, node.title));
    item->setData(0, kObjectRole, node.dataObject);
    item->setData(0, kFirstLineRole, node.firstLine);
    item->setData(0, kLastLineRole, node.lastLine);
    if (node.dataObject >= 0 && std::size_t(node.dataObject) < m_product->objects.size()) {
        const product::DataObject& object = m_product->objects[std::size_t(node.dataObject)];
        item->setText(1, Kind(object));
        item->setText(2, Size(object));
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
    }
    for (const product::LabelNode& child : node.children)
        AddNode(child, item);
    return item;
}

void ViewerWindow::SelectObject(int objectIndex)
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, kObjectRole).toInt() == objectIndex) {
            m_tree->setCurrentItem(*it);
            m_tree->scrollToItem(*it);
            return;
        }
    ShowObject(objectIndex);
}

void ViewerWindow::OnSelection()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty() || !m_product)
        return;
    const QTreeWidgetItem* item = selected.first();
    const int object = item->data(0, kObjectRole).toInt();
    if (item->parent())
        m_label->ShowLines(item->data(0, kFirstLineRole).toInt(), item->data(0, kLastLineRole).toInt());
    else
        m_label->ShowLines(0, 0);
    if (object >= 0)
        ShowObject(object);
    else
        m_tabs->setCurrentWidget(m_label);
}

void ViewerWindow::ShowObject(int objectIndex)
{
    if (!m_product)
        return;
    auto found = m_objectViews.find(objectIndex);
    if (found == m_objectViews.end()) {
        QWidget* view = ObjectViewFactory::Create(*m_product, objectIndex, m_views);
        m_views->addWidget(view);
        if (auto* image = qobject_cast<ImageView*>(view))
            connect(image, &ImageView::statusMessage, this, [this](const QString& text) {
                if (text.isEmpty())
                    statusBar()->clearMessage();
                else
                    statusBar()->showMessage(text);
            });
        found = m_objectViews.emplace(objectIndex, view).first;
    }
    m_currentObject = objectIndex;
    m_views->setCurrentWidget(found->second);
    m_tabs->setCurrentIndex(0);
    if (auto* image = qobject_cast<ImageView*>(found->second))
        image->canvas().setFocus();
}

QWidget* ViewerWindow::currentView() const { return m_views->currentWidget(); }

ImageView* ViewerWindow::currentImageView() const { return qobject_cast<ImageView*>(m_views->currentWidget()); }

bool ViewerWindow::ExportView(const QString& path, QString& error)
{
    if (ImageView* image = currentImageView())
        return image->ExportPng(path, error);
    const QImage picture = currentView()->grab().toImage();
    if (!picture.save(path, "PNG")) {
        error = path;
        return false;
    }
    return true;
}

void ViewerWindow::OnOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, T(text::kOpenCaption), QFileInfo(m_path).absolutePath(),
                                                      T(text::kOpenFilter));
    if (!path.isEmpty())
        OpenFile(path);
}

void ViewerWindow::OnExport()
{
    if (!m_product || !currentView())
        return;
    if (auto* pages = qobject_cast<TablePages*>(currentView())) {
        pages->Export();
        return;
    }
    const QString suggested = QFileInfo(m_path).completeBaseName() + QStringLiteral(".png");
    const QString path = QFileDialog::getSaveFileName(this, T(text::kExportPngCaption),
                                                      QFileInfo(m_path).absoluteDir().filePath(suggested),
                                                      T(text::kExportPngFilter));
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportView(path, error))
        QMessageBox::warning(this, windowTitle(), T(text::kExportFailed).arg(path, error));
}

void ViewerWindow::OnHelp()
{
    const QString page = platform::FindHelpPage(QApplication::applicationDirPath(), QStringLiteral("vellora.html"));
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(QStringLiteral("viewer"));
    if (page.isEmpty() || !QDesktopServices::openUrl(url))
        QMessageBox::information(this, windowTitle(), T(text::kNoHelp));
}

void ViewerWindow::closeEvent(QCloseEvent* event)
{
    QSettings(kOrganisation, kSettingsName).setValue(kGeometryKey, saveGeometry());
    QMainWindow::closeEvent(event);
}

}  // namespace viewer
