#pragma once
// The controls of a dialog by id, as its data exchange reaches them.

#include <QString>

class QWidget;

class DialogItems {
public:
    virtual QWidget* GetDlgItem(int id) const = 0;
    virtual QString GetDlgItemText(int id) const = 0;
    virtual void SetDlgItemText(int id, const QString& text) = 0;

protected:
    ~DialogItems() = default;
};
