#pragma once
// The modal runner of the benchmarks, installed while it lives: any message
// box or dialog during a benchmark is counted (and a message printed); none
// is expected.

#include "platform/ModalRunner.h"
#include "platform/WinTypes.h"

#include <cstdio>

class CountingRunner : public CModalRunner {
public:
    CountingRunner() : m_previous(Install(this)) {}
    ~CountingRunner() override { Install(m_previous); }
    CountingRunner(const CountingRunner&) = delete;
    CountingRunner& operator=(const CountingRunner&) = delete;

    int modals = 0;
    int RunDialog(CDialog&) override { return ++modals, IDCANCEL; }
    int MessageBox(const QString& text, const QString&, MessageBoxKind) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", text.toUtf8().constData());
        return ++modals, IDOK;
    }
    bool GetOpenFileName(FileDialogRequest&) override { return ++modals, false; }
    bool GetExistingDirectory(FolderDialogRequest&) override { return ++modals, false; }

private:
    CModalRunner* m_previous;
};
