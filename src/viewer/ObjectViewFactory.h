#pragma once
// Makes the view of one data object of a product: the image view for an
// array with lines and samples, the rows and the plot of a table, the plot
// of a 1-D array; a message in the view's place when the object's data
// cannot be read or the object has no view.

#include "product/Product.h"

#include <QString>

class QWidget;

namespace viewer {

class ObjectViewFactory {
public:
    // The view of product.objects[objectIndex], owned by `parent`.
    static QWidget* Create(const product::Product& product, int objectIndex, QWidget* parent);
    // A message shown where a view would be.
    static QWidget* Message(const QString& text, QWidget* parent);
    // The object's name as the structure shows it.
    static QString ObjectName(const product::DataObject& object);
};

}  // namespace viewer
