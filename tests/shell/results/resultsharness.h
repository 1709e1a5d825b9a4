#pragma once

// The main window's page stacks around a ResultsView, with a data page
// reduced to what the calculation reads, over the shipped catalogue.

#include "dbdatamodule.h"
#include "dskproject.h"
#include "resultsview.h"
#include "testutils.h"

#include <QAction>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class ResultsViewTest : public ::testing::Test {
public:
    ResultsViewTest();
    ~ResultsViewTest() override;

    // A plain-bank project at 400 V in contracted-power mode, the power
    // typed into the data page's box.
    void contractedPowerProject(int kw);

    bool onDataPage() const { return Pages.MainTabControl->currentWidget() == Pages.DataTab; }
    bool onListPage() const;
    bool onDetailPage() const { return view->detailPageShown(); }

    struct ActionStates {
        bool calculate, back, print;
        QString calculateText;
    };
    ActionStates states();

    // A mouse click in the middle of the list's item.
    void clickCandidate(int row);

    QTemporaryDir settingsDir;
    testutils::ScriptedDialogs dialogs;
    TDbDataModule catalogue;
    TDskProject document;
    QWidget window;
    PageStacks Pages;
    QLineEdit* BusinessNameEdit = nullptr;
    QSpinBox* MaximumPowerEdit = nullptr;
    std::unique_ptr<ResultsView> view;
    int customerStores = 0;
    int projectStores = 0;
    bool failStore = false;
    // Makes filling the results page fail after the calculation succeeded.
    bool failResultsFill = false;
};
