#include "app/gui/CAboutDlg.h"

#include "res/gui/AboutTemplate.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(res::kAboutTemplate, parent) {}
