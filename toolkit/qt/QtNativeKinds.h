#pragma once
// The kinds of native widget, each made by its own file, for the Qt
// backend's own files. CreateNativeWidget chooses among them by name.

#include <memory>

#include "toolkit/qt/QtNativeWidget.h"

std::unique_ptr<TNativeWidget> MakeNativeEdit(HWND window, QWidget* parent);
std::unique_ptr<TNativeWidget> MakeNativeTextEdit(HWND window, QWidget* parent);
// The button's style (BS_*) chooses a push button, a check box or a radio button.
std::unique_ptr<TNativeWidget> MakeNativeButton(HWND window, QWidget* parent);
std::unique_ptr<TNativeWidget> MakeNativeListBox(HWND window, QWidget* parent);
// A list box whose items have check boxes.
std::unique_ptr<TNativeWidget> MakeNativeCheckListBox(HWND window, QWidget* parent);
std::unique_ptr<TNativeWidget> MakeNativeComboBox(HWND window, QWidget* parent);
// A tab bar along the top of the client area; TCM_ADJUSTRECT gives the display area below it.
std::unique_ptr<TNativeWidget> MakeNativeTabControl(HWND window, QWidget* parent);
std::unique_ptr<TNativeWidget> MakeNativeTreeView(HWND window, QWidget* parent);
std::unique_ptr<TNativeWidget> MakeNativeRichEdit(HWND window, QWidget* parent);
// A list view in report style (columns and rows).
std::unique_ptr<TNativeWidget> MakeNativeListView(HWND window, QWidget* parent);
