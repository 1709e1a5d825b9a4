// The document's calculation and the two flags through New, Open, Save and
// Execute.

#include "dbdatamodule.h"
#include "documentfixtures.h"
#include "dskproject.h"
#include "exceptions.h"
#include "selection.h"

#include <gtest/gtest.h>

using testutils::ScriptedDialogs;

namespace {

// One plain bank of 90 kvar at 400 V, the supply transformer's own bank, a
// cable and a current transformer: enough for a 100 kW contracted-power
// project to find its equipment.
QString catalogueSql()
{
    QString sql = testutils::catalogueSchemaSql();
    sql += QStringLiteral(
        "INSERT INTO bb (code, type, volt, power, price, automatic, harmonic, transform, steps, dim) VALUES "
        "('B-90', 'Corsel', 400, 90, 1500, 1, 0, 0, '5x18', '600x400x250'), "
        "('T-20', 'Tirsa', 400, 20, 300, 0, 0, 1, '1x20', '300x200x150');\n"
        "INSERT INTO cond (gauge, current, price) VALUES (16, 100, 2), (25, 150, 3), (95, 240, 9);\n"
        "INSERT INTO trans (type, a, price) VALUES ('CT-250', 250, 20), ('CT-400', 400, 30);\n");
    for (const char* type : { "Corsel", "Tirsa" })
        sql += QStringLiteral("INSERT INTO description (type, image, name, text_es, text_en) "
                              "VALUES ('%1', %2, '', 'Serie %1', '%1 series');\n")
                   .arg(QLatin1String(type), testutils::tinyPngSqlLiteral());
    return sql;
}

class Execution : public ::testing::Test {
protected:
    Execution()
        : catalogue(catalogueSql())
        , module(catalogue.path())
        , document(&module, &dialogs, store.open())
    {
    }

    void calculable()
    {
        document.setBatteryType(TBatteryType::battery);
        document.setCalculationType(TCalculationType::contracted_power);
        document.setMaximumPower(100);
        document.setHasInputTransformer(true);
        document.setInputTransformer(400);
    }

    docfixtures::SettingsStore store;
    docfixtures::FileFolder folder;
    testutils::TemporaryCatalogue catalogue;
    TDbDataModule module;
    ScriptedDialogs dialogs;
    TDskProject document;
};

} // namespace

TEST_F(Execution, SuccessfulRunHoldsResultsAndLeavesTheProjectUnsaved)
{
    calculable();
    document.setIsSaved(true);
    document.Execute();
    EXPECT_TRUE(document.ValidCalculation());
    EXPECT_FALSE(document.IsSaved());
    EXPECT_FALSE(document.Selection().BatteryList().isEmpty());

    // Held results are not calculated again, even when the inputs changed
    // without clearing the flag: that is the caller's duty.
    document.setIsSaved(true);
    document.setMaximumPower(-5);
    document.Execute();
    EXPECT_TRUE(document.ValidCalculation());
    EXPECT_TRUE(document.IsSaved());
    EXPECT_FALSE(document.Selection().BatteryList().isEmpty());
}

TEST_F(Execution, FailedRunPassesTheFailureOnAndKeepsTheFlags)
{
    for (const bool saved : { false, true }) {
        SCOPED_TRACE(saved);
        document.setIsSaved(saved);
        try {
            document.Execute(); // consumption mode without billing periods
            ADD_FAILURE() << "no failure";
        } catch (const ESelectionInfoException& e) {
            EXPECT_EQ(e.ErrorCode, SelectionMessages::NoBillingData);
            EXPECT_EQ(e.message(), "No existen datos de facturación.");
        }
        EXPECT_FALSE(document.ValidCalculation());
        EXPECT_EQ(document.IsSaved(), saved);
    }
}

TEST_F(Execution, FlagsThroughNewExecuteSaveAndOpen)
{
    const auto flags = [this] { return std::pair(document.IsSaved(), document.ValidCalculation()); };
    using Flags = std::pair<bool, bool>; // saved, valid calculation

    calculable();
    document.Execute();
    EXPECT_EQ(flags(), Flags(false, true));

    dialogs.fileAnswers.push_back(folder.path("calculated"));
    document.Save();
    EXPECT_EQ(flags(), Flags(true, true));

    dialogs.fileAnswers.push_back(folder.path("calculated.tvk"));
    ASSERT_TRUE(document.Open());
    EXPECT_EQ(flags(), Flags(false, false));
    EXPECT_EQ(document.MaximumPower(), 100);

    document.Execute();
    EXPECT_EQ(flags(), Flags(false, true));
    document.New();
    EXPECT_EQ(flags(), Flags(false, false));
    EXPECT_TRUE(document.Selection().BatteryList().isEmpty());
}
