#include "platform/gui/GuiModalRunner.h"

#include "platform/WinTypes.h"
#include "platform/gui/CDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QWindow>

int GuiModalRunner::RunDialog(CDialog& dialog)
{
    // A dialog made without a parent belongs to the window that is active
    // when it runs, as a Windows dialog without an owner does: it stays
    // above that window and opens over its middle.
    QWidget* owner = dialog.parentWidget() ? nullptr : QApplication::activeWindow();
    if (owner && owner != &dialog && owner->windowHandle()) {
        if (!dialog.windowHandle())
            dialog.winId();  // makes the dialog's window
        if (dialog.windowHandle())
            dialog.windowHandle()->setTransientParent(owner->windowHandle());
        dialog.move(owner->geometry().center() - dialog.rect().center());
    }
    return dialog.exec();
}

int GuiModalRunner::MessageBox(const QString& text, const QString& caption, MessageBoxKind kind)
{
    const QMessageBox::Icon icon =
        kind.icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    switch (kind.buttons) {
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return kind.buttons == MessageButtons::YesNo ? IDNO : IDOK;
    }
}

QString GuiModalRunner::ConvertFilter(const QString& windowsFilter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = windowsFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (name.isEmpty())
            break;
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        name.remove(trailingPatterns);
        filters << name + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

bool GuiModalRunner::GetOpenFileName(FileDialogRequest& request)
{
    const QString path = QFileDialog::getOpenFileName(request.parent, request.title, QString(),
                                                      ConvertFilter(request.filter));
    if (path.isEmpty())
        return false;
    request.chosenPath = path;
    return true;
}

bool GuiModalRunner::GetExistingDirectory(FolderDialogRequest& request)
{
    const QString path = QFileDialog::getExistingDirectory(request.parent, request.title, request.startFolder,
                                                           QFileDialog::ShowDirsOnly);
    if (path.isEmpty())
        return false;
    request.chosenPath = path;
    return true;
}
