#pragma once
// A dialog built from a template (DialogTemplate.h) over QDialog, with the
// lifetime of a Windows dialog: DoModal (or the modeless Create) builds the
// controls, runs DoDataExchange and OnInitDialog, then hands the finished
// dialog to the modal runner; EndDialog ends a modal run; leaving the run
// calls OnDestroy and removes the controls again.

#include "platform/gui/DialogItems.h"
#include "platform/gui/DialogTemplate.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <vector>

class CDataExchange;
class QAbstractButton;

class CDialog : public QDialog, public DialogItems {
    Q_OBJECT
public:
    explicit CDialog(const dlg::Template& dialogTemplate, QWidget* parent = nullptr);
    ~CDialog() override;

    // Builds and initialises the dialog, runs it through the modal runner,
    // then destroys its controls. Returns the runner's result (the value
    // given to EndDialog when the dialog runs for real); -1 when it could
    // not be built.
    virtual int DoModal();
    // Builds the dialog modeless as a window of its own above parent
    // (shown at once when the template is visible). False when it cannot
    // be built (for instance because it exists already).
    virtual bool Create(QWidget* parent);
    // Ends a modeless dialog: OnDestroy, then the controls go.
    virtual bool DestroyWindow();
    // True between building and destroying.
    bool IsWindowCreated() const { return m_bCreated; }

    // Ends the modal run with a result.
    void EndDialog(int result);
    // The value given to EndDialog during the current or last run; -1 if
    // none was given.
    int GetModalResult() const { return m_nModalResult; }

    QWidget* GetDlgItem(int id) const override;
    template <class T>
    T* GetDlgItemAs(int id) const
    {
        return qobject_cast<T*>(GetDlgItem(id));
    }
    void SetDlgItemText(int id, const QString& text) override;
    QString GetDlgItemText(int id) const override;

    // Data exchange: false reads members into the controls, true reads the
    // controls back into the members.
    bool UpdateData(bool bSaveAndValidate = true);

    const dlg::Template& Template() const { return m_template; }

    // Dialog units to pixels with the dialog's font.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;
    // Horizontal and vertical base units of a font: the average width of
    // A-Z a-z and the font height, in pixels.
    static QSize BaseUnits(const QFont& font);

    // Builds the controls and runs OnInitDialog without showing anything;
    // DoModal and Create call it. Property pages use it directly.
    bool BuildDialog();

    // The button handlers that Enter and Esc (and the close box) lead to.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    // A push button was clicked (or Enter chose it). IDOK and IDCANCEL go
    // to OnOK and OnCancel; returns true when handled.
    virtual bool OnCommand(int id);
    // Called before the controls go away at the end of a run.
    virtual void OnDestroy() {}

    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Makes the widget for one control, a child of the dialog.
    QWidget* CreateControl(const dlg::Control& control);
    // A picture of the template's picture source, for this window's pixel ratio.
    QPixmap Picture(unsigned id, QSize size) const;
    void ApplyWindowStyle();
    // Ends a built dialog: OnDestroy, then the window hides and the
    // controls go.
    void Teardown();
    void NameViewsFromLabels();
    void ClickButton(QAbstractButton* button);

    const dlg::Template& m_template;
    QHash<int, QWidget*> m_items;
    std::vector<QPointer<QWidget>> m_controls;
    QAbstractButton* m_pDefaultButton = nullptr;
    bool m_bCreated = false;
    int m_nModalResult = -1;
    // The base units of the font last mapped with: measuring them shapes a
    // line of text, which every control of a template would repeat.
    mutable QFont m_baseFont;
    mutable QSize m_baseUnits;
};
