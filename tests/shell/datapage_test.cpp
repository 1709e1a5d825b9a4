#include "datapage.h"

#include "project.h"
#include "widgets/numberbox.h"
#include "widgets/toggleswitch.h"

#include "desktoplocale.h"
#include "typing.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <QLocale>

#include <limits>
#include <vector>

namespace {

// A figure as the desktop the tests run under shows it: "1.00" reads "1,00"
// on a Spanish one.
QString shown(const char* figure)
{
    return QString::fromLatin1(figure).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

template <typename W> W* child(QWidget& page, const char* name)
{
    W* found = page.findChild<W*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name);
    return found;
}

class DataPageTest : public ::testing::Test {
protected:
    DataPageTest()
        : project(nullptr)
    {
        page.resize(978, 590);
    }

    QRadioButton* radio(const char* name) { return child<QRadioButton>(page, name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(page, name); }
    QString shownPanel() { return child<QStackedWidget>(page, "TabControlConsumption")->currentWidget()->objectName(); }

    // Types `text` over whatever the box shows, leaving the focus in it.
    void typeInto(QAbstractSpinBox& box, const char* text)
    {
        child<QStackedWidget>(page, "TabControlConsumption")->setCurrentWidget(box.parentWidget());
        box.setFocus();
        QLineEdit* line = box.findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClicks(line, QString::fromLatin1(text));
    }
    void leaveBox() { edit("BusinessNameEdit")->setFocus(); }

    TCProyect project;
    DataPage page;
};

void addPeriod(TCProyect& project, const char* name, int year, int kwht, int kvarh, int peak, int transformer)
{
    auto period = std::make_unique<TConsumption>();
    period->setPeriod(QString::fromUtf8(name));
    period->setYear(year);
    period->setKwht(kwht);
    period->setKvarh(kvarh);
    period->setPeakDemand(peak);
    period->setInputTransformer(transformer);
    period->setReactiveSurcharge(11);
    period->setCostPowerTerm(22);
    period->setCostActiveTerm(33);
    project.ConsumptionList().Add(std::move(period));
}

// A project whose every value differs from the reset state.
void fillProject(TCProyect& project)
{
    project.setBusinessName(QStringLiteral("Talleres Ñandú, S.L."));
    project.setUserName(QStringLiteral("Ana Pérez"));
    project.setAddress(QStringLiteral("Calle Mayor 1 "));
    project.setState(QStringLiteral("Cádiz"));
    project.setPlace(QStringLiteral("Jerez"));
    project.setTelephone(QStringLiteral("+34 956 000 000"));
    project.setDistribution(QStringLiteral("Distribuidora Sur"));
    project.setCalculationType(TCalculationType::contracted_power);
    project.setBatteryType(TBatteryType::battery);
    project.setTemperature(TTemperature::greater_than_35);
    project.setVoltage(TVoltage::v230);
    project.setFrequency(TFrequency::f60Hz);
    project.setHarmonics(true);
    project.setMaximumPower(std::numeric_limits<std::int32_t>::max());
    project.setHasInputTransformer(true);
    project.setInputTransformer(630);
    project.ConsumptionList().setPeriodType(TPeriodType::bimonthly);
    project.ConsumptionList().setWorkHours(744);
    project.ConsumptionList().setPowerfactor(0.987f);
}

} // namespace

TEST_F(DataPageTest, resetProjectShowsTheDefaults)
{
    page.LoadProjectData(project);
    EXPECT_TRUE(radio("BatteryType_ferimont")->isChecked());
    EXPECT_TRUE(radio("Temperature_less_than_35")->isChecked());
    EXPECT_TRUE(radio("Voltage_400")->isChecked());
    EXPECT_TRUE(radio("Frequency_50hz")->isChecked());
    EXPECT_FALSE(child<ToggleSwitch>(page, "harmonics")->isChecked());
    EXPECT_TRUE(radio("CalculationType_consumption")->isChecked());
    EXPECT_EQ(shownPanel(), "CalculationType_consumption_tab");
    EXPECT_TRUE(radio("ConsumptionList_PeriodType_monthly")->isChecked());
    EXPECT_EQ(child<NumberBox>(page, "ConsumptionList_WorkHours")->value(), 300);
    EXPECT_EQ(child<DecimalBox>(page, "ConsumptionList_Powerfactor")->text(), shown("1.00"));
    EXPECT_EQ(child<QTableWidget>(page, "ConsumptionListGrid")->rowCount(), 0);
    EXPECT_FALSE(child<QGroupBox>(page, "TemperatureGroupBox")->isEnabled());
}

TEST_F(DataPageTest, everyValueSurvivesALoadAndStoreRoundTrip)
{
    fillProject(project);
    page.LoadProjectData(project);
    EXPECT_EQ(shownPanel(), "CalculationType_contracted_power_tab");
    EXPECT_EQ(child<DecimalBox>(page, "ConsumptionList_Powerfactor")->text(), shown("0.99"));

    TCProyect stored(nullptr);
    page.StoreProjectData(stored);
    EXPECT_EQ(stored.BusinessName(), project.BusinessName());
    EXPECT_EQ(stored.UserName(), project.UserName());
    EXPECT_EQ(stored.Address(), project.Address());
    EXPECT_EQ(stored.State(), project.State());
    EXPECT_EQ(stored.Place(), project.Place());
    EXPECT_EQ(stored.Telephone(), project.Telephone());
    EXPECT_EQ(stored.Distribution(), project.Distribution());
    EXPECT_EQ(stored.CalculationType(), TCalculationType::contracted_power);
    EXPECT_EQ(stored.BatteryType(), TBatteryType::battery);
    EXPECT_EQ(stored.Temperature(), TTemperature::greater_than_35);
    EXPECT_EQ(stored.Voltage(), TVoltage::v230);
    EXPECT_EQ(stored.Frequency(), TFrequency::f60Hz);
    EXPECT_TRUE(stored.Harmonics());
    EXPECT_EQ(stored.MaximumPower(), std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(stored.HasInputTransformer());
    EXPECT_EQ(stored.InputTransformer(), 630);
    // The billing panel is hidden in contracted-power mode and still stored.
    EXPECT_EQ(stored.ConsumptionList().PeriodType(), TPeriodType::bimonthly);
    EXPECT_EQ(stored.ConsumptionList().WorkHours(), 744);
    EXPECT_EQ(stored.ConsumptionList().Powerfactor(), 0.987f); // shown "0.99", kept whole
}

TEST_F(DataPageTest, customerTextsOfAnyLengthSurviveALoadAndStoreRoundTrip)
{
    // Longer than a line edit's own default limit of 32767 characters.
    const QString longText = QString(40000, QLatin1Char('a')) + QStringLiteral("Z");
    project.setBusinessName(longText);
    project.setUserName(longText);
    project.setAddress(longText);
    project.setState(longText);
    project.setPlace(longText);
    project.setTelephone(longText);
    project.setDistribution(longText);
    page.LoadProjectData(project);
    TCProyect stored(nullptr);
    page.StoreCustomerData(stored);
    for (const QString& text : { stored.BusinessName(), stored.UserName(), stored.Address(), stored.State(),
             stored.Place(), stored.Telephone(), stored.Distribution() })
        EXPECT_EQ(text.size(), longText.size());
    EXPECT_EQ(stored.Distribution(), longText);
}

TEST_F(DataPageTest, eachEnumerationValueSelectsItsButtonAndStoresBack)
{
    struct Case {
        const char* button;
        std::function<void(TCProyect&)> set;
        std::function<bool(const TCProyect&)> check;
    };
    const Case cases[] = {
        { "BatteryType_ferimont", [](TCProyect& p) { p.setBatteryType(TBatteryType::ferimont); },
            [](const TCProyect& p) { return p.BatteryType() == TBatteryType::ferimont; } },
        { "BatteryType_lumarest", [](TCProyect& p) { p.setBatteryType(TBatteryType::lumarest); },
            [](const TCProyect& p) { return p.BatteryType() == TBatteryType::lumarest; } },
        { "Voltage_480", [](TCProyect& p) { p.setVoltage(TVoltage::v480); },
            [](const TCProyect& p) { return p.Voltage() == TVoltage::v480; } },
        { "Voltage_400", [](TCProyect& p) { p.setVoltage(TVoltage::v400); },
            [](const TCProyect& p) { return p.Voltage() == TVoltage::v400; } },
        { "Temperature_less_than_35", [](TCProyect& p) { p.setTemperature(TTemperature::less_than_35); },
            [](const TCProyect& p) { return p.Temperature() == TTemperature::less_than_35; } },
        { "Frequency_50hz", [](TCProyect& p) { p.setFrequency(TFrequency::f50Hz); },
            [](const TCProyect& p) { return p.Frequency() == TFrequency::f50Hz; } },
        { "CalculationType_consumption", [](TCProyect& p) { p.setCalculationType(TCalculationType::consumption); },
            [](const TCProyect& p) { return p.CalculationType() == TCalculationType::consumption; } },
        { "ConsumptionList_PeriodType_monthly",
            [](TCProyect& p) { p.ConsumptionList().setPeriodType(TPeriodType::monthly); },
            [](const TCProyect& p) { return p.ConsumptionList().PeriodType() == TPeriodType::monthly; } },
    };
    for (const Case& c : cases) {
        fillProject(project);
        c.set(project);
        page.LoadProjectData(project);
        EXPECT_TRUE(radio(c.button)->isChecked()) << c.button;
        TCProyect stored(nullptr);
        page.StoreProjectData(stored);
        EXPECT_TRUE(c.check(stored)) << c.button;
    }
}

TEST_F(DataPageTest, aValueOutsideItsEnumerationKeepsTheGroupsSelection)
{
    fillProject(project);
    page.LoadProjectData(project);
    project.setVoltage(static_cast<TVoltage>(7));
    project.setBatteryType(static_cast<TBatteryType>(9));
    page.LoadProjectData(project);
    EXPECT_TRUE(radio("Voltage_230")->isChecked());
    EXPECT_TRUE(radio("BatteryType_battery")->isChecked());
}

TEST_F(DataPageTest, installationOptionsAreUsableOnlyForTheCapacitorBankLine)
{
    const char* options[] = { "TemperatureGroupBox", "Temperature_less_than_35", "Temperature_more_than_35",
        "VoltageGroupBox", "Voltage_400", "Voltage_480", "Voltage_230", "FrequencyGroupBox", "Frequency_50hz",
        "Frequency_60hz", "harmonicsLabel", "harmonics" };
    auto enabledCount = [&] {
        int count = 0;
        for (const char* name : options)
            count += child<QWidget>(page, name)->isEnabled() ? 1 : 0;
        return count;
    };
    page.show();
    page.LoadProjectData(project);
    EXPECT_EQ(enabledCount(), 0);
    QTest::mouseClick(radio("BatteryType_battery"), Qt::LeftButton);
    EXPECT_EQ(enabledCount(), 12);
    QTest::mouseClick(radio("Voltage_480"), Qt::LeftButton);
    QTest::mouseClick(radio("BatteryType_lumarest"), Qt::LeftButton);
    EXPECT_EQ(enabledCount(), 0);
    EXPECT_TRUE(radio("Voltage_480")->isChecked()); // selections stay
    QTest::mouseClick(radio("BatteryType_battery"), Qt::LeftButton);
    QTest::mouseClick(radio("BatteryType_ferimont"), Qt::LeftButton);
    EXPECT_EQ(enabledCount(), 0);

    project.setBatteryType(TBatteryType::battery);
    page.LoadProjectData(project);
    EXPECT_EQ(enabledCount(), 12);
}

TEST_F(DataPageTest, userActionsAnnounceWhichFlagTheyClearAndLoadingAnnouncesNothing)
{
    page.show();
    QSignalSpy saveSpy(&page, &DataPage::customerTextEdited);
    QSignalSpy calculationSpy(&page, &DataPage::calculationInputChanged);
    project.setBatteryType(TBatteryType::battery);
    page.LoadProjectData(project);
    fillProject(project);
    page.LoadProjectData(project);
    EXPECT_EQ(saveSpy.count(), 0);
    EXPECT_EQ(calculationSpy.count(), 0);

    for (const char* name : { "BusinessNameEdit", "UserNameEdit", "AddressEdit", "StateEdit", "PlaceEdit",
             "DistributionEdit", "TelephoneEdit" }) {
        saveSpy.clear();
        QTest::keyClicks(edit(name), QStringLiteral("x"));
        EXPECT_EQ(saveSpy.count(), 1) << name;
        EXPECT_EQ(calculationSpy.count(), 0) << name;
    }
    saveSpy.clear();

    // Every radio button, also the one already selected, and both switches.
    child<QStackedWidget>(page, "TabControlConsumption")->setCurrentIndex(0);
    for (const char* name : { "BatteryType_battery", "BatteryType_battery", "Temperature_less_than_35",
             "Temperature_more_than_35", "Frequency_50hz", "Frequency_60hz", "Voltage_400", "Voltage_480",
             "Voltage_230", "ConsumptionList_PeriodType_monthly", "ConsumptionList_PeriodType_bimonthly",
             "BatteryType_ferimont", "BatteryType_lumarest", "CalculationType_consumption" }) {
        calculationSpy.clear();
        QTest::mouseClick(radio(name), Qt::LeftButton);
        EXPECT_EQ(calculationSpy.count(), 1) << name;
    }
    QTest::mouseClick(radio("BatteryType_battery"), Qt::LeftButton);
    calculationSpy.clear();
    QTest::mouseClick(child<ToggleSwitch>(page, "harmonics"), Qt::LeftButton);
    EXPECT_EQ(calculationSpy.count(), 1);

    // Typing in the number boxes of the billing panel...
    for (const char* name : { "ConsumptionList_WorkHours", "ConsumptionList_Powerfactor" }) {
        calculationSpy.clear();
        auto* box = child<QAbstractSpinBox>(page, name);
        QTest::keyClicks(box->findChild<QLineEdit*>(), QStringLiteral("0"));
        EXPECT_GE(calculationSpy.count(), 1) << name;
    }
    // ...and of the contracted-power panel.
    QTest::mouseClick(radio("CalculationType_contracted_power"), Qt::LeftButton);
    EXPECT_EQ(shownPanel(), "CalculationType_contracted_power_tab");
    calculationSpy.clear();
    QTest::mouseClick(child<ToggleSwitch>(page, "HasInputTransformer"), Qt::LeftButton);
    EXPECT_EQ(calculationSpy.count(), 1);
    for (const char* name : { "MaximumPowerEdit", "InputTransformerEdit" }) {
        calculationSpy.clear();
        QLineEdit* line = child<NumberBox>(page, name)->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClicks(line, QStringLiteral("5"));
        EXPECT_EQ(calculationSpy.count(), 1) << name;
    }
    EXPECT_EQ(saveSpy.count(), 0); // calculation inputs leave the saved flag alone
}

TEST_F(DataPageTest, aTypedPowerFactorKeepsAllItsDecimals)
{
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.LoadProjectData(project);
    auto* box = child<DecimalBox>(page, "ConsumptionList_Powerfactor");
    QLineEdit* line = box->findChild<QLineEdit*>();
    box->setFocus();
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("0.9871"));
    edit("BusinessNameEdit")->setFocus(); // leaving the box shows two decimals
    EXPECT_EQ(box->text(), shown("0.99"));
    box->setFocus(); // coming back and leaving again must not round it
    edit("BusinessNameEdit")->setFocus();
    page.StoreProjectData(project);
    EXPECT_EQ(project.ConsumptionList().Powerfactor(), 0.9871f);

    // Save and Calculate commit the focused box before reading it: a box
    // that shows "0.99" but was not typed in keeps its whole value.
    box->setFocus();
    commitTypedNumber(&page);
    page.StoreProjectData(project);
    EXPECT_EQ(project.ConsumptionList().Powerfactor(), 0.9871f);

    project.ConsumptionList().setPowerfactor(0.955f);
    page.LoadProjectData(project);
    commitTypedNumber(&page);
    page.StoreProjectData(project);
    EXPECT_EQ(project.ConsumptionList().Powerfactor(), 0.955f);
}

TEST_F(DataPageTest, aTypedNumberOutsideItsBoxTakesTheNearerLimit)
{
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.LoadProjectData(project);
    struct Case {
        const char* typed;
        float stored;
    };
    const Case cases[] = { { "1.5", 1.0f }, { "7", 1.0f }, { "0.5", 0.5f } };
    auto* box = child<DecimalBox>(page, "ConsumptionList_Powerfactor");
    for (const Case& c : cases) {
        typeInto(*box, c.typed);
        leaveBox();
        page.StoreProjectData(project);
        EXPECT_EQ(project.ConsumptionList().Powerfactor(), c.stored) << c.typed;
        // Committed by Save while still typing, too.
        typeInto(*box, c.typed);
        commitTypedNumber(&page);
        page.StoreProjectData(project);
        EXPECT_EQ(project.ConsumptionList().Powerfactor(), c.stored) << c.typed << " committed";
    }

    struct WholeCase {
        const char* box;
        const char* typed;
        int shown;
    };
    const WholeCase wholeCases[] = {
        { "ConsumptionList_WorkHours", "800", 744 },
        { "ConsumptionList_WorkHours", "744", 744 },
        { "MaximumPowerEdit", "10000000000", std::numeric_limits<int>::max() },
        { "InputTransformerEdit", "2147483648", std::numeric_limits<int>::max() },
        { "InputTransformerEdit", "2147483647", std::numeric_limits<int>::max() },
    };
    for (const WholeCase& c : wholeCases) {
        auto* whole = child<NumberBox>(page, c.box);
        typeInto(*whole, c.typed);
        commitTypedNumber(&page);
        EXPECT_EQ(whole->value(), c.shown) << c.box << " " << c.typed;
    }
}

// Whatever the locale, both "," and "." are taken as the decimal separator
// (the keypad's decimal key gives one or the other); a whole-number box also
// takes the locale's thousands separator between groups of three digits,
// as bills print amounts. Each box then shows the value it holds.
TEST_F(DataPageTest, eitherDecimalSeparatorIsTakenInEveryLocale)
{
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    const QLocale locales[] = { QLocale(QLocale::Spanish, QLocale::Spain), QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale::c() };
    for (const QLocale& locale : locales) {
        page.setLocale(locale);
        page.LoadProjectData(project);
        const bool spanish = locale.language() == QLocale::Spanish;
        const std::string where = locale.name().toStdString();
        const auto inLocale = [&locale](const char* figure) {
            return QString::fromLatin1(figure).replace(QLatin1Char('.'), locale.decimalPoint());
        };

        struct Case {
            const char* typed;
            float stored;
            const char* shown; // with "." for the locale's decimal separator
        };
        const Case decimals[] = {
            { "0.95", 0.95f, "0.95" }, { "0,95", 0.95f, "0.95" }, { ",5", 0.5f, "0.50" }, { "1.5", 1.0f, "1.00" },
            { "0,9871", 0.9871f, "0.99" },
            // Shown by the rule of every other figure: an exact-looking half
            // goes up, as 0.955 does everywhere else in the program.
            { "0.955", 0.955f, "0.96" }, { "0,125", 0.125f, "0.13" },
        };
        auto* factor = child<DecimalBox>(page, "ConsumptionList_Powerfactor");
        for (const Case& c : decimals) {
            typeInto(*factor, c.typed);
            leaveBox();
            page.StoreProjectData(project);
            EXPECT_EQ(project.ConsumptionList().Powerfactor(), c.stored) << where << " " << c.typed;
            EXPECT_EQ(factor->text(), inLocale(c.shown)) << where << " " << c.typed;
        }
        // Two separators make no number: the second keystroke is refused.
        typeInto(*factor, "0,9.5");
        EXPECT_EQ(factor->findChild<QLineEdit*>()->text(), QStringLiteral("0,95")) << where;

        // A whole-number box rounds what was typed to the nearest whole
        // number when it is committed, a half to the even neighbour, and
        // brings a number beyond a limit to that limit.
        struct WholeCase {
            const char* box;
            const char* typed;
            int stored;
        };
        std::vector<WholeCase> wholes = {
            { "ConsumptionList_WorkHours", "300,5", 300 },
            { "ConsumptionList_WorkHours", "300.5", 300 },
            { "ConsumptionList_WorkHours", "301,5", 302 },
            { "ConsumptionList_WorkHours", "299.51", 300 },
            { "ConsumptionList_WorkHours", "743,6", 744 },
            { "ConsumptionList_WorkHours", "800,2", 744 },
            { "ConsumptionList_WorkHours", "0,4", 0 },
            { "ConsumptionList_WorkHours", "-5", 0 },
            { "MaximumPowerEdit", "-5", 0 },
            { "MaximumPowerEdit", "-46500,7", 0 },
            { "MaximumPowerEdit", "46500,7", 46501 },
            { "MaximumPowerEdit", "46500.7", 46501 },
            { "MaximumPowerEdit", "46.5", 46 },
            { "MaximumPowerEdit", "2147483647,4", std::numeric_limits<int>::max() },
            { "InputTransformerEdit", "10000000000.5", std::numeric_limits<int>::max() },
            { "InputTransformerEdit", "630,", 630 },
        };
        // The locale's thousands separator groups; the other one is decimal.
        if (spanish) {
            wholes.push_back({ "MaximumPowerEdit", "46.500", 46500 });
            wholes.push_back({ "MaximumPowerEdit", "1.000.000", 1000000 });
            wholes.push_back({ "MaximumPowerEdit", "46.500,7", 46501 });
            wholes.push_back({ "MaximumPowerEdit", "46,500", 46 });
        } else {
            wholes.push_back({ "MaximumPowerEdit", "46,500", 46500 });
            wholes.push_back({ "MaximumPowerEdit", "1,000,000", 1000000 });
            wholes.push_back({ "MaximumPowerEdit", "46,500.7", 46501 });
            wholes.push_back({ "MaximumPowerEdit", "46.500", 46 });
        }
        for (const WholeCase& c : wholes) {
            auto* whole = child<NumberBox>(page, c.box);
            for (const bool byLeaving : { true, false }) {
                whole->setValue(7);
                typeInto(*whole, c.typed);
                if (byLeaving)
                    leaveBox();
                else
                    commitTypedNumber(&page); // Save and Calculate
                EXPECT_EQ(whole->value(), c.stored) << where << " " << c.box << " " << c.typed;
                EXPECT_EQ(whole->text(), QString::number(c.stored)) << where << " " << c.typed;
            }
        }
    }
}

TEST_F(DataPageTest, gridShowsSixColumnsOfEveryPeriodInListOrder)
{
    addPeriod(project, "Enero", 1999, 12000, -80, 95, 630);
    addPeriod(project, "Febrero", 2024, 2147483647, 0, 0, 0);
    page.LoadProjectData(project);
    auto* grid = child<QTableWidget>(page, "ConsumptionListGrid");
    const QStringList headers { "Mes/Bimestre", "Año", "kWh totales", "kVArh totales", "Máxima demanda (kW)",
        "Transformador de entrada (kVA)" };
    const QStringList names { "PeriodColumn", "YearColumn", "kwhtColumn", "kvarhColumn", "PeakDemandColumn",
        "InputTransformerColumn" };
    const int widths[] = { 129, 103, 151, 135, 151 };
    ASSERT_EQ(grid->columnCount(), 6);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(grid->horizontalHeaderItem(c)->data(Qt::UserRole).toString(), names[c]);
        if (c < 5) {
            EXPECT_EQ(grid->columnWidth(c), widths[c]);
        }
    }
    ASSERT_EQ(grid->rowCount(), 2);
    const QStringList first { "Enero", "1999", "12000", "-80", "95", "630" };
    const QStringList second { "Febrero", "2024", "2147483647", "0", "0", "0" };
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(grid->item(0, c)->text(), first[c]);
        EXPECT_EQ(grid->item(1, c)->text(), second[c]);
    }
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(grid->alternatingRowColors());
    EXPECT_EQ(page.selectedConsumptionRow(), -1);
    grid->selectRow(1);
    EXPECT_EQ(page.selectedConsumptionRow(), 1);
}

// What the user types reads as the desktop writes numbers: its digits, its
// separators and its grouping; a text that is no number puts the box back
// to the value it held, an emptied box holds its minimum. Each page is built
// under its desktop's format.
TEST(DataPageNumbersTest, eachDesktopReadsItsOwnDigitsSeparatorsAndGrouping)
{
    struct Case {
        const char* box;
        const char* typed; // nullptr: committed untouched
        double read;
    };
    struct Desktop {
        QLocale locale;
        std::vector<Case> cases;
    };
    constexpr const char* power = "MaximumPowerEdit";
    constexpr const char* hours = "ConsumptionList_WorkHours";
    constexpr const char* factor = "ConsumptionList_Powerfactor";
    // Whole-number boxes start at 7 and the power factor at 0.95 before
    // each case.
    const std::vector<Case> notNumbers = {
        { power, "1e", 7 }, { power, "-", 7 }, { power, ",", 7 }, { power, "", 0 }, { hours, "1e-", 7 },
        { hours, "", 0 }, { factor, "1e", 0.95 }, { factor, "1e-", 0.95 }, { factor, "-", 0.95 },
        { factor, ",", 0.95 }, { factor, "", 0 }, { power, nullptr, 7 }, { factor, nullptr, 0.95 },
    };
    std::vector<Desktop> desktops = {
        { QLocale(QLocale::Spanish, QLocale::Spain),
            { { power, "46.500", 46500 }, { power, "1.000.000", 1000000 }, { power, "1000.000", 1000000 },
                { factor, "0,9", 0.9 }, { factor, "0.9", 0.9 } } },
        { QLocale(QLocale::English, QLocale::UnitedStates),
            { { power, "46,500", 46500 }, { power, "1,000,000", 1000000 }, { factor, "0.9", 0.9 } } },
        { QLocale(QLocale::English, QLocale::India),
            { { power, "1,25,00,000", 12500000 }, { power, "12,34,567", 1234567 }, { power, "46,500", 46500 },
                { power, "12,500,000", 12500000 } } },
        { QLocale(QLocale::French, QLocale::France),
            { { power, "46 500", 46500 }, { power, "46\u00A0500", 46500 }, { power, "46\u202F500", 46500 },
                { power, "46\u2009500", 46500 }, { power, "1 000 000", 1000000 }, { factor, "0,9", 0.9 } } },
        { QLocale(QLocale::German, QLocale::Switzerland),
            { { power, "46\u2019500", 46500 }, { power, "46'500", 46500 }, { power, "1'000'000", 1000000 },
                { factor, "0.9", 0.9 } } },
        { QLocale(QLocale::Arabic, QLocale::Egypt),
            { { power, "٤٦٥٠٠", 46500 }, { power, "٤٦٬٥٠٠", 46500 }, { hours, "٧٤٤", 744 },
                { power, "\u061C-٥", 0 }, { factor, "٠٫٩", 0.9 }, { factor, "0٫5", 0.5 } } },
    };
    for (Desktop& desktop : desktops) {
        desktop.cases.insert(desktop.cases.end(), notNumbers.begin(), notNumbers.end());
        const testutils::ScopedDefaultLocale desktopFormat(desktop.locale);
        TCProyect project(nullptr);
        DataPage page;
        page.resize(978, 590);
        page.show();
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        page.LoadProjectData(project);
        auto* elsewhere = child<QLineEdit>(page, "BusinessNameEdit");
        for (const Case& c : desktop.cases) {
            auto* box = child<QAbstractSpinBox>(page, c.box);
            for (const bool byLeaving : { true, false }) {
                SCOPED_TRACE(desktop.locale.name().toStdString() + " " + c.box + " \"" + (c.typed ? c.typed : "untouched")
                    + (byLeaving ? "\" left" : "\" committed"));
                if (auto* whole = qobject_cast<NumberBox*>(box))
                    whole->setValue(7);
                else
                    qobject_cast<DecimalBox*>(box)->setValue(0.95);
                child<QStackedWidget>(page, "TabControlConsumption")->setCurrentWidget(box->parentWidget());
                box->setFocus();
                QLineEdit* line = box->findChild<QLineEdit*>();
                if (c.typed) {
                    line->selectAll();
                    if (!*c.typed)
                        QTest::keyClick(line, Qt::Key_Backspace);
                    testutils::typeKeys(line, QString::fromUtf8(c.typed));
                    EXPECT_EQ(line->text(), QString::fromUtf8(c.typed)); // every keystroke taken
                }
                if (byLeaving)
                    elsewhere->setFocus();
                else
                    commitTypedNumber(&page); // Calculate, Save
                if (auto* whole = qobject_cast<NumberBox*>(box))
                    EXPECT_EQ(whole->value(), static_cast<int>(c.read));
                else
                    EXPECT_DOUBLE_EQ(qobject_cast<DecimalBox*>(box)->value(), c.read);
            }
        }
    }
}
