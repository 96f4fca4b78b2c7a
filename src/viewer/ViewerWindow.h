#pragma once
// The viewer's window: the product's structure as a tree on the left (the
// label's objects; data objects with their kind and size), on the right the
// view of the selected data object and the label's text in tabs, and a
// status bar. It opens on the first data object, an image when there is
// one, and remembers its size.

#include "product/Product.h"

#include <QMainWindow>

#include <map>
#include <optional>

class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace viewer {

class ImageView;
class LabelView;

class ViewerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // Shows the product whose label is `path`; a file that is no product,
    // or whose label cannot be read, shows why in place of the view.
    // False then.
    bool OpenFile(const QString& path);

    const std::optional<product::Product>& product() const { return m_product; }
    QTreeWidget& structure() { return *m_tree; }
    LabelView& labelView() { return *m_label; }
    QTabWidget& tabs() { return *m_tabs; }
    // The view shown in the data tab (a message when there is none).
    QWidget* currentView() const;
    ImageView* currentImageView() const;
    int currentObject() const { return m_currentObject; }

    // Selects the structure node of a data object.
    void SelectObject(int objectIndex);
    // Writes the present view to `path`; false with the reason in `error`.
    bool ExportView(const QString& path, QString& error);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void ShowMessage(const QString& text);
    void FillStructure();
    QTreeWidgetItem* AddNode(const product::LabelNode& node, QTreeWidgetItem* parent);
    void OnSelection();
    void ShowObject(int objectIndex);
    void OnOpen();
    void OnExport();
    void OnHelp();
    template <typename Action>
    void OnImage(Action action);

    std::optional<product::Product> m_product;
    QString m_path;
    QTreeWidget* m_tree = nullptr;
    QTabWidget* m_tabs = nullptr;
    QStackedWidget* m_views = nullptr;
    LabelView* m_label = nullptr;
    QWidget* m_message = nullptr;
    std::map<int, QWidget*> m_objectViews;  // made when first shown, owned by m_views
    int m_currentObject = -1;
};

}  // namespace viewer
