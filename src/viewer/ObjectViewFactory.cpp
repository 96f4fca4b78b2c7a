#include "viewer/ObjectViewFactory.h"

#include "product/ArrayReader.h"
#include "viewer/ImageView.h"
#include "viewer/TablePages.h"
#include "viewer/ViewerTexts.h"

#include <QLabel>

namespace viewer {

namespace {

QString T(const char* text) { return QString::fromUtf8(text); }

QWidget* CreateImage(const product::ArrayObject& array, QWidget* parent)
{
    auto reader = std::make_shared<const product::ArrayReader>(product::ArrayReader::Open(array));
    return new ImageView(std::move(reader), parent);
}

// A table's rows and plot; a 1-D array's plot.
QWidget* CreatePages(const product::Product& product, int objectIndex, QWidget* parent)
{
    return new TablePages(product, objectIndex, parent);
}

}  // namespace

QString ObjectViewFactory::ObjectName(const product::DataObject& object)
{
    const QString name = std::visit([](const auto& o) { return o.name; }, object);
    return name.isEmpty() ? QStringLiteral("unnamed") : name;
}

QWidget* ObjectViewFactory::Message(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("messageView"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMargin(24);
    return label;
}

QWidget* ObjectViewFactory::Create(const product::Product& product, int objectIndex, QWidget* parent)
{
    if (objectIndex < 0 || std::size_t(objectIndex) >= product.objects.size())
        return Message(T(text::kNoData), parent);
    const product::DataObject& object = product.objects[std::size_t(objectIndex)];
    try {
        if (std::holds_alternative<product::TableObject>(object))
            return CreatePages(product, objectIndex, parent);
        const auto& array = std::get<product::ArrayObject>(object);
        if (array.lineAxis >= 0 && array.sampleAxis >= 0)
            return CreateImage(array, parent);
        if (array.axes.size() == 1)
            return CreatePages(product, objectIndex, parent);
        return Message(T(text::kNoObjectView).arg(ObjectName(object)).arg(array.axes.size()), parent);
    } catch (const product::Error& error) {
        return Message(T(text::kCannotRead).arg(ObjectName(object), error.message), parent);
    }
}

}  // namespace viewer
