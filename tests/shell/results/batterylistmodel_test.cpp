#include "batterylistmodel.h"

#include "desktoplocale.h"
#include "equipment.h"
#include "resultsfixture.h"
#include "selection.h"
#include "translation.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Role = BatteryListModel::Role;

QString text(const BatteryListModel& model, int row, Role role)
{
    return model.data(model.index(row), role).toString();
}

class BatteryListModelTest : public ::testing::Test {
protected:
    void SetUp() override { Translation::setEnglishInForce(false); }
    void TearDown() override { Translation::setEnglishInForce(false); }

    // Figures as an English desktop writes them, unless a test says otherwise.
    testutils::ScopedDefaultLocale format { QLocale(QLocale::English, QLocale::UnitedStates) };
    resultsfixture::Fixture fixture;
    BatteryListModel model;
};

TEST_F(BatteryListModelTest, PlainBankItemTexts)
{
    fixture.fill({{0}, {1}, {2}, {3}}, true);
    model.fill(fixture.selection().BatteryList(), TBatteryType::battery);
    ASSERT_EQ(model.rowCount(), 4);

    struct Row {
        const char* text1;
        const char* text9;
        const char* text4;
        const char* text8;
        const char* text6;
    };
    const Row rows[] = {
        {"Batería Quelva", "Código: QV-75", "Potencia (kVAr): 7.5", "Escalones: 3x2.5", "Dimensiones: 300x400x200"},
        {"Batería Quelva", "Código: QV-10", "Potencia (kVAr): 10", "Escalones: 2x5", "Dimensiones: 300x400x200"},
        // "%2.15g" pads to two characters.
        {"Batería Quelva", "Código: QV-5", "Potencia (kVAr):  5", "Escalones: 1x5", "Dimensiones: 200x300x150"},
        // The float nearest to 3.3, widened, to 15 digits; a series named
        // "none" shows its code alone.
        {"Nadir", "Código: ND-33", "Potencia (kVAr): 3.29999995231628", "Escalones: 1x3.3",
         "Dimensiones: 100x200x100"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(text(model, i, Role::Text1Role), QString::fromUtf8(rows[i].text1));
        EXPECT_EQ(text(model, i, Role::Text9Role), QString::fromUtf8(rows[i].text9));
        EXPECT_EQ(text(model, i, Role::Text4Role), QString::fromUtf8(rows[i].text4));
        EXPECT_EQ(text(model, i, Role::Text5Role), QString::fromUtf8("Tensión (Voltios): 400"));
        EXPECT_EQ(text(model, i, Role::Text8Role), QString::fromUtf8(rows[i].text8));
        EXPECT_EQ(text(model, i, Role::Text6Role), QString::fromUtf8(rows[i].text6));
        EXPECT_EQ(text(model, i, Role::Text10Role), QStringLiteral("Ver detalles"));
        EXPECT_EQ(model.battery(i), &fixture.selection().BatteryList()[i]);
    }
    EXPECT_EQ(model.battery(4), nullptr);
}

TEST_F(BatteryListModelTest, ProductLineShowsKilowattsAndEnglishTranslates)
{
    fixture.fill({{0}}, false);
    model.fill(fixture.selection().BatteryList(), TBatteryType::ferimont);
    EXPECT_EQ(text(model, 0, Role::Text4Role), QStringLiteral("Potencia (kW): 7.5"));

    // Texts are translated when the list is filled, not when painted.
    Translation::setEnglishInForce(true);
    EXPECT_EQ(text(model, 0, Role::Text10Role), QStringLiteral("Ver detalles"));
    model.fill(fixture.selection().BatteryList(), TBatteryType::battery);
    EXPECT_EQ(text(model, 0, Role::Text4Role), QStringLiteral("Power (kVAr): 7.5"));
    EXPECT_EQ(text(model, 0, Role::Text9Role), QStringLiteral("Code: QV-75"));
    EXPECT_EQ(text(model, 0, Role::Text10Role), QStringLiteral("See details"));
    EXPECT_EQ(text(model, 0, Role::Text8Role), QStringLiteral("Steps: 3x2.5"));
}

// On a Spanish desktop, whose C library writes numbers with a comma too.
TEST_F(BatteryListModelTest, CommaLocaleShowsTheCommaInPowers)
{
    const testutils::ScopedCLocale desktop(testutils::SpanishCLocale);
    {
        const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
        fixture.fill({{0}, {3}}, false);
        model.fill(fixture.selection().BatteryList(), TBatteryType::battery);
    }
    EXPECT_EQ(text(model, 0, Role::Text4Role), QStringLiteral("Potencia (kVAr): 7,5"));
    EXPECT_EQ(text(model, 1, Role::Text4Role), QStringLiteral("Potencia (kVAr): 3,29999995231628"));
}

TEST_F(BatteryListModelTest, RefillIsOneResetAndSharesThePictures)
{
    fixture.fill({{0}, {1}, {3}}, false);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    model.fill(fixture.selection().BatteryList(), TBatteryType::battery);
    model.fill(fixture.selection().BatteryList(), TBatteryType::battery);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(model.rowCount(), 3);

    const TBattery& candidate = fixture.selection().BatteryList()[0];
    ASSERT_FALSE(candidate.Image().isNull());
    const QImage shown = model.data(model.index(0), Qt::DecorationRole).value<QImage>();
    // The same picture data, not a copy of it.
    EXPECT_EQ(shown.cacheKey(), candidate.Image().cacheKey());
    EXPECT_EQ(shown.constBits(), candidate.Image().constBits());

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
