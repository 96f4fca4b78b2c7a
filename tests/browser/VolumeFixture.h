#pragma once
// A browser window over a temporary volume: D: is the volume, the program
// starts in its root, and every modal the window opens goes through a
// scripted runner. Shared by the folder tree and file list tests.

#include "browser/CBrowserDlg.h"
#include "platform/gui/CListCtrl.h"
#include "platform/gui/CTreeCtrl.h"
#include "support/LoadedSession.h"
#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"
#include "support/TreeRecords.h"
#include "support/VolumeTest.h"
#include "volume/CFileItem.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

class VolumeFixture : public VolumeTest {
protected:
    // Runs a browser window; check() gets it initialised and returns its
    // result. The window is torn down when check() returns.
    void Run(const std::function<void(CBrowserDlg&)>& check, const QString& mask = QString())
    {
        LoadedSession session(programDir.path());
        CBrowserDlg browser(session);
        if (!mask.isEmpty())
            browser.Session().m_strFileMask = mask;
        runner.ExpectDialog([&browser, &check](CDialog& shown) {
            EXPECT_EQ(&shown, &browser);
            check(browser);
            return 1;
        });
        browser.DoModal();
    }

    static const CFileItem* Record(CTreeCtrl* tree, HTREEITEM item)
    {
        return static_cast<const CFileItem*>(tree->GetItemData(item));
    }
    static const CFileItem* Record(const CBrowserDlg& browser, int item) { return browser.m_fileList.Record(item); }

    // Texts of the direct children of an item.
    static QStringList Children(CTreeCtrl* tree, HTREEITEM item)
    {
        QStringList names;
        for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child))
            names << tree->GetItemText(child);
        return names;
    }
    static HTREEITEM Child(CTreeCtrl* tree, HTREEITEM item, const QString& text)
    {
        for (HTREEITEM child = tree->GetChildItem(item); child; child = tree->GetNextSiblingItem(child)) {
            if (tree->GetItemText(child) == text)
                return child;
        }
        return nullptr;
    }

    // One column of the file list, in list order.
    static QStringList Column(CListCtrl* list, int column)
    {
        QStringList texts;
        for (int i = 0; i < list->GetItemCount(); ++i)
            texts << list->GetItemText(i, column);
        return texts;
    }

    // Host form of the current directory (symbolic links resolved).
    static QString Cwd() { return QDir::current().canonicalPath(); }
    QString Host(const QString& relative) const { return QDir(volume.file(relative)).canonicalPath(); }

    ScriptedRunner runner;
};
