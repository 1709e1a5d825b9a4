#include "resultsharness.h"

#include "batterylistmodel.h"
#include "detailpage.h"
#include "equipment.h"
#include "exceptions.h"
#include "selection.h"
#include "translation.h"

#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST_F(ResultsViewTest, CalculateUsesTheNumberStillBeingTyped)
{
    contractedPowerProject(0);
    MaximumPowerEdit->setFocus();
    MaximumPowerEdit->selectAll();
    QTest::keyClicks(MaximumPowerEdit, QStringLiteral("120"));
    ASSERT_EQ(MaximumPowerEdit->value(), 0); // not committed yet

    view->FindBatteryActionExecute();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(document.MaximumPower(), 120);
    EXPECT_TRUE(onListPage());
    EXPECT_TRUE(document.ValidCalculation());
    EXPECT_FALSE(document.IsSaved());
    const int candidates = document.Selection().BatteryList().Count();
    ASSERT_GT(candidates, 0);
    EXPECT_EQ(view->resultsPage()->BatteryListView->model()->rowCount(), candidates);
    // Contracted power: the panel copies the data page's box.
    EXPECT_EQ(view->resultsPage()->MaximumPowerEdit_2->text(), QStringLiteral("120"));
}

TEST_F(ResultsViewTest, ValidCalculationOnlyStoresTheCustomerTexts)
{
    contractedPowerProject(120);
    view->FindBatteryActionExecute();
    ASSERT_TRUE(onListPage());
    EXPECT_EQ(states().calculateText, QStringLiteral("Resultados"));
    const TBattery* firstCandidate = &document.Selection().BatteryList()[0];

    view->BackActionExecute();
    ASSERT_TRUE(onDataPage());
    BusinessNameEdit->setText(QStringLiteral("Corrected S.L."));
    MaximumPowerEdit->setValue(500); // not stored: nothing is recalculated
    view->FindBatteryActionExecute();
    EXPECT_TRUE(onListPage());
    EXPECT_EQ(customerStores, 1);
    EXPECT_EQ(projectStores, 1);
    EXPECT_EQ(document.BusinessName(), QStringLiteral("Corrected S.L."));
    EXPECT_EQ(document.MaximumPower(), 120);
    EXPECT_EQ(&document.Selection().BatteryList()[0], firstCandidate);

    // A calculation input changed: the button reads "Calcular" again and the
    // next press recalculates.
    view->BackActionExecute();
    document.setValidCalculation(false);
    EXPECT_EQ(states().calculateText, QStringLiteral("Calcular"));
    Translation::setEnglishInForce(true);
    EXPECT_EQ(states().calculateText, QStringLiteral("Calculate"));
    document.setValidCalculation(true);
    EXPECT_EQ(states().calculateText, QStringLiteral("Results"));
}

TEST_F(ResultsViewTest, EachFailureKindHasItsDialogAndTheDataPageStays)
{
    struct Row {
        const char* name;
        std::function<void(ResultsViewTest&)> setUp;
        IDialogService::MessageKind kind;
        const char* spanish;
        const char* english;
    };
    const Row rows[] = {
        { "no billing periods",
            [](ResultsViewTest& t) { t.document.setCalculationType(TCalculationType::consumption); },
            IDialogService::MessageKind::Information, "No existen datos de facturación.",
            "There is no billing information." },
        { "no contracted power", [](ResultsViewTest& t) { t.contractedPowerProject(0); },
            IDialogService::MessageKind::Error, nullptr, nullptr },
        { "storage failure",
            [](ResultsViewTest& t) {
                t.contractedPowerProject(120);
                t.failStore = true;
            },
            IDialogService::MessageKind::Plain, "Ha ocurrido un error al procesar los datos.",
            "An error occurred while processing the data." },
    };
    for (bool english : { false, true }) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            Translation::setEnglishInForce(english);
            failStore = false;
            dialogs.messages.clear();
            row.setUp(*this);
            view->FindBatteryActionExecute();
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].kind, row.kind);
            if (row.spanish) {
                EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(english ? row.english : row.spanish));
            } else {
                EXPECT_EQ(dialogs.messages[0].text,
                    TranslateText(SelectionMessages::text(SelectionMessages::MaximumPowerNotPositive)));
            }
            EXPECT_TRUE(onDataPage());
            EXPECT_FALSE(document.ValidCalculation());
        }
    }
}

TEST_F(ResultsViewTest, PagesAndActionStates)
{
    ActionStates s = states();
    EXPECT_TRUE(s.calculate);
    EXPECT_FALSE(s.back);
    EXPECT_FALSE(s.print);

    contractedPowerProject(120);
    view->FindBatteryActionExecute();
    ASSERT_TRUE(onListPage());
    s = states();
    EXPECT_FALSE(s.calculate);
    EXPECT_TRUE(s.back);
    EXPECT_FALSE(s.print);
    EXPECT_EQ(view->activeBattery(), nullptr);

    clickCandidate(0);
    ASSERT_TRUE(onDetailPage());
    EXPECT_EQ(view->activeBattery(), &document.Selection().BatteryList()[0]);
    s = states();
    EXPECT_FALSE(s.calculate);
    EXPECT_TRUE(s.back);
    EXPECT_TRUE(s.print);

    view->BackActionExecute();
    EXPECT_TRUE(onListPage());
    view->BackActionExecute();
    EXPECT_TRUE(onDataPage());
    // Whenever the data page shows, the list page is the results' front page.
    EXPECT_EQ(Pages.ResultTabControl->currentWidget(), Pages.BatteryTabItem);

    // A recalculation replaces the candidates: none of the old ones stays
    // active, also when the new run fails.
    document.setValidCalculation(false);
    view->FindBatteryActionExecute();
    EXPECT_EQ(view->activeBattery(), nullptr);
    clickCandidate(0);
    ASSERT_NE(view->activeBattery(), nullptr);
    view->BackActionExecute();
    view->BackActionExecute();
    document.setValidCalculation(false);
    MaximumPowerEdit->setValue(0);
    view->FindBatteryActionExecute();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(view->activeBattery(), nullptr);

    // The view reset after New and Open.
    MaximumPowerEdit->setValue(120);
    view->FindBatteryActionExecute();
    clickCandidate(0);
    ASSERT_NE(view->activeBattery(), nullptr);
    view->resetView();
    EXPECT_EQ(view->activeBattery(), nullptr);
    EXPECT_EQ(Pages.ResultTabControl->currentWidget(), Pages.BatteryTabItem);
}

TEST_F(ResultsViewTest, ListNeverOutlivesTheCandidatesItWasBuiltFrom)
{
    contractedPowerProject(120);
    view->FindBatteryActionExecute();
    ASSERT_TRUE(onListPage());
    BatteryListModel* model = view->resultsPage()->batteryListModel();
    ASSERT_GT(model->rowCount(), 0);
    view->BackActionExecute();

    // A recalculation that fails frees the old candidates: the list lets
    // go of them at once.
    document.setValidCalculation(false);
    MaximumPowerEdit->setValue(0);
    view->FindBatteryActionExecute();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(model->rowCount(), 0);

    // The selection succeeds but the page cannot be filled: the results do
    // not count as shown, so the next press calculates and fills again
    // instead of showing a half-filled page.
    dialogs.messages.clear();
    MaximumPowerEdit->setValue(120);
    failResultsFill = true;
    view->FindBatteryActionExecute();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Plain);
    EXPECT_TRUE(onDataPage());
    EXPECT_FALSE(document.ValidCalculation());
    EXPECT_EQ(states().calculateText, QStringLiteral("Calcular"));

    failResultsFill = false;
    const int storesBefore = projectStores;
    view->FindBatteryActionExecute();
    EXPECT_EQ(projectStores, storesBefore + 1);
    ASSERT_TRUE(onListPage());
    ASSERT_EQ(model->rowCount(), document.Selection().BatteryList().Count());
    for (int i = 0; i < model->rowCount(); ++i)
        EXPECT_EQ(model->battery(i), &document.Selection().BatteryList()[i]);
    // Painted from the live candidates.
    EXPECT_FALSE(view->resultsPage()->BatteryListView->grab().isNull());

    // New and Open empty the selection: the list goes with it.
    view->resetView();
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(ResultsViewTest, CandidatePriceChangeRebuildsTheListAndMarksTheProject)
{
    contractedPowerProject(120);
    view->FindBatteryActionExecute();
    clickCandidate(0);
    ASSERT_TRUE(onDetailPage());
    document.setIsSaved(true);

    BatteryListModel* model = view->resultsPage()->batteryListModel();
    std::vector<TBattery*> before;
    for (int i = 0; i < model->rowCount(); ++i)
        before.push_back(model->battery(i));

    // Cancel leaves the flag alone.
    dialogs.inputAnswers.push_back(std::nullopt);
    view->detailPage()->BatteryPriceButton->click();
    EXPECT_TRUE(document.IsSaved());

    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    dialogs.inputAnswers.push_back(QStringLiteral("999.5"));
    view->detailPage()->BatteryPriceButton->click();
    EXPECT_FALSE(document.IsSaved());
    EXPECT_TRUE(document.ValidCalculation());
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(model->rowCount(), static_cast<int>(before.size()));
    for (int i = 0; i < model->rowCount(); ++i)
        EXPECT_EQ(model->battery(i), before[static_cast<std::size_t>(i)]);
    EXPECT_TRUE(onDetailPage());

    // The length is no price: the list stays as it was.
    document.setIsSaved(true);
    dialogs.inputAnswers.push_back(QStringLiteral("12.5"));
    view->detailPage()->ConductorLengthButton->click();
    EXPECT_FALSE(document.IsSaved());
    EXPECT_EQ(resets.count(), 1);
}

} // namespace
