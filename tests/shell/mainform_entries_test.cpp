#include "mainform.h"

#include "consumption.h"
#include "reportlayout.h"
#include "widgets/numberbox.h"

#include "mainformfixture.h"
#include "modalhelper.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

QTableWidget* grid(TMainForm& w)
{
    return w.findChild<QTableWidget*>(QStringLiteral("ConsumptionListGrid"));
}

void addPeriod(TDskProject& project, const char* name, int kwht)
{
    auto period = std::make_unique<TConsumption>();
    period->setPeriod(QString::fromUtf8(name));
    period->setKwht(kwht);
    project.ConsumptionList().Add(std::move(period));
}

void pressButton(QWidget* dialog, const char* name)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

class EntriesTest : public MainFormFixture {
protected:
    // A window over a saved project with a valid calculation and three periods.
    TMainForm& createWithPeriods()
    {
        TMainForm& w = create();
        addPeriod(project(), "Enero", 100);
        addPeriod(project(), "Febrero", 200);
        addPeriod(project(), "Marzo", 300);
        w.ShowConsumptionList();
        markClean();
        w.show();
        return w;
    }
    void markClean()
    {
        project().setIsSaved(true);
        project().setValidCalculation(true);
    }
    QStringList periods()
    {
        QStringList names;
        for (int i = 0; i < project().ConsumptionList().Count(); ++i)
            names << project().ConsumptionList()[i].Period();
        return names;
    }
    bool flagsUntouched() { return project().IsSaved() && project().ValidCalculation(); }
    bool flagsCleared() { return !project().IsSaved() && !project().ValidCalculation(); }
};

} // namespace

TEST_F(EntriesTest, addOpensTheDefaultsAndAppendsOnlyWhenConfirmed)
{
    TMainForm& w = createWithPeriods();
    ModalScript answer1([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Editar consumo");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("PeriodEdit")->text(), "Enero");
        EXPECT_EQ(dialog->findChild<NumberBox*>("YearEdit")->value(), 2017);
        EXPECT_EQ(dialog->findChild<NumberBox*>("kwhtEdit")->value(), 0);
        pressButton(dialog, "CancelButton");
    });
    w.EntryAddAction->trigger();
    EXPECT_TRUE(answer1.ran());
    EXPECT_EQ(project().ConsumptionList().Count(), 3);
    EXPECT_EQ(grid(w)->rowCount(), 3);
    EXPECT_TRUE(flagsUntouched());

    ModalScript answer2([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("PeriodEdit")->setText(QStringLiteral("Abril"));
        dialog->findChild<NumberBox*>("kwhtEdit")->setValue(400);
        pressButton(dialog, "AddButton");
    });
    w.EntryAddAction->trigger();
    EXPECT_TRUE(answer2.ran());
    EXPECT_EQ(periods(), QStringList({ "Enero", "Febrero", "Marzo", "Abril" }));
    ASSERT_EQ(grid(w)->rowCount(), 4);
    EXPECT_EQ(grid(w)->item(3, 0)->text(), "Abril");
    EXPECT_EQ(grid(w)->item(3, 1)->text(), "2017");
    EXPECT_EQ(grid(w)->item(3, 2)->text(), "400");
    EXPECT_TRUE(flagsCleared());
}

TEST_F(EntriesTest, editAndDoubleClickChangeThePeriodInPlace)
{
    TMainForm& w = createWithPeriods();
    EXPECT_FALSE(w.EntryEditAction->isEnabled());
    EXPECT_FALSE(w.EntryDeleteAction->isEnabled());
    grid(w)->selectRow(1);
    EXPECT_TRUE(w.EntryEditAction->isEnabled());
    EXPECT_TRUE(w.EntryDeleteAction->isEnabled());

    // Cancelled: nothing changes.
    ModalScript answer3([](QWidget* dialog) {
        dialog->findChild<NumberBox*>("kwhtEdit")->setValue(999);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    w.EntryEditAction->trigger();
    EXPECT_TRUE(answer3.ran());
    EXPECT_EQ(project().ConsumptionList()[1].kwht(), 200);
    EXPECT_TRUE(flagsUntouched());

    // Confirmed without a change still counts as a change.
    ModalScript answer4([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("PeriodEdit")->text(), "Febrero");
        pressButton(dialog, "AddButton");
    });
    w.EntryEditAction->trigger();
    EXPECT_TRUE(answer4.ran());
    EXPECT_EQ(project().ConsumptionList()[1].kwht(), 200);
    EXPECT_TRUE(flagsCleared());

    // A double click edits the row clicked, not the selected one.
    markClean();
    ModalScript answer5([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("PeriodEdit")->text(), "Marzo");
        dialog->findChild<NumberBox*>("kwhtEdit")->setValue(333);
        pressButton(dialog, "AddButton");
    });
    const QRect cell = grid(w)->visualRect(grid(w)->model()->index(2, 3));
    QTest::mouseClick(grid(w)->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid(w)->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_TRUE(answer5.ran());
    EXPECT_EQ(project().ConsumptionList()[2].kwht(), 333);
    EXPECT_EQ(grid(w)->item(2, 2)->text(), "333");
    EXPECT_TRUE(flagsCleared());
}

TEST_F(EntriesTest, deleteRemovesTheSelectedPeriodOnlyOnYes)
{
    TMainForm& w = createWithPeriods();
    grid(w)->selectRow(1);
    dialogs.yesNoAnswers = { false };
    w.EntryDeleteAction->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], "¿Está usted seguro que desea eliminar el registro?");
    EXPECT_EQ(periods(), QStringList({ "Enero", "Febrero", "Marzo" }));
    EXPECT_TRUE(flagsUntouched());

    dialogs.yesNoAnswers = { true };
    w.EntryDeleteAction->trigger();
    EXPECT_EQ(periods(), QStringList({ "Enero", "Marzo" }));
    ASSERT_EQ(grid(w)->rowCount(), 2);
    EXPECT_EQ(grid(w)->item(1, 0)->text(), "Marzo");
    EXPECT_TRUE(flagsCleared());
}

TEST_F(EntriesTest, aRowNamingNoPeriodIsReportedAndChangesNothing)
{
    TMainForm& w = createWithPeriods();
    w.runAction([&] { w.ConsumptionListGridCellDblClick(7); });
    w.runAction([&] { w.EntryDeleteActionExecute(); }); // no row selected
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(periods(), QStringList({ "Enero", "Febrero", "Marzo" }));
    EXPECT_TRUE(flagsUntouched());
}

TEST_F(EntriesTest, theReportServesThePeriodsTheGridShows)
{
    TMainForm& w = createWithPeriods();
    ReportLayout& layout = w.reportLayout();
    report::UserDataSet& billing = layout.frxComsumptionDataSet();
    QStringList served;
    layout.frxComsumptionDataSetFirst(billing);
    for (bool eof = false;;) {
        layout.frxComsumptionDataSetCheckEOF(billing, eof);
        if (eof)
            break;
        QVariant value;
        layout.frxComsumptionDataSetGetValue(QStringLiteral("Period"), value);
        served << value.toString();
        layout.frxComsumptionDataSetNext(billing);
    }
    EXPECT_EQ(served, periods());
}
