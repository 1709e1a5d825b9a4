#include "detailpage.h"

#include "desktoplocale.h"
#include "equipment.h"
#include "fieldwidgets.h"
#include "resultsfixture.h"
#include "selection.h"
#include "translation.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class DetailPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Translation::setEnglishInForce(false);
        page.resize(974, 620);
        page.show();
    }
    void TearDown() override { Translation::setEnglishInForce(false); }

    TBattery& candidate(int i) { return fixture.selection().BatteryList()[i]; }

    // Figures as an English desktop writes them, unless a test says otherwise.
    testutils::ScopedDefaultLocale format{QLocale(QLocale::English, QLocale::UnitedStates)};
    resultsfixture::Fixture fixture;
    testutils::ScriptedDialogs dialogs;
    DetailPage page{fixture.project(), dialogs};
};

TEST_F(DetailPageTest, PlainBankWithCurrentTransformer)
{
    // Three units, with the 35 mm² cable.
    fixture.fill({{0, 3, 0}}, true);
    page.ShowBatteryDetail(candidate(0));

    EXPECT_EQ(page.ActiveBattery(), &candidate(0));
    EXPECT_EQ(page.LabelDetails->text(), QStringLiteral("Batería Quelva"));
    EXPECT_FALSE(page.ImageDetails->pixmap().isNull());
    EXPECT_EQ(page.MemoDetails->toPlainText(), QStringLiteral("Batería automática de condensadores."));
    EXPECT_EQ(page.BatteryCodeEdit->text(), QStringLiteral("QV-75"));
    EXPECT_EQ(page.LabelPowerBattery->text(), QStringLiteral("Potencia (kVAr)"));
    EXPECT_EQ(page.BatteryPowerEdit->text(), QStringLiteral("7.50"));
    EXPECT_EQ(page.BatteryVoltEdit->text(), QStringLiteral("400"));
    EXPECT_EQ(page.BatteryCountEdit->text(), QStringLiteral("3"));
    EXPECT_EQ(page.BatteryPriceEdit->text(), QStringLiteral("1234.56"));

    EXPECT_EQ(page.ConductorICalculadaEdit->text(), QStringLiteral("10.82"));
    EXPECT_EQ(page.ConductorGaugeEdit->text(), QStringLiteral("35"));
    EXPECT_EQ(page.ConductorCurrentEdit->text(), QStringLiteral("119.00"));
    EXPECT_EQ(page.ConductorLengthEdit->text(), QStringLiteral("0.00"));
    EXPECT_EQ(page.ConductorCountEdit->text(), QStringLiteral("1x3 Fase"));
    EXPECT_EQ(page.ConductorPriceEdit->text(), QStringLiteral("12.50"));

    EXPECT_FALSE(page.LabelTransformInclude->isVisible());
    for (QWidget* field : {static_cast<QWidget*>(page.Label29), static_cast<QWidget*>(page.Label30),
                           static_cast<QWidget*>(page.Label31)})
        EXPECT_TRUE(field->isVisible());
    EXPECT_EQ(page.TransformerAEdit->text(), QStringLiteral("150/5"));
    // The transformer record has no count: the candidate's is shown.
    EXPECT_EQ(page.TransformerCountEdit->text(), QStringLiteral("3"));
    EXPECT_EQ(page.TransformerPriceEdit->text(), QStringLiteral("45.30"));

    // Every figure is read-only and never takes the focus.
    for (QLineEdit* edit : page.findChildren<QLineEdit*>()) {
        EXPECT_TRUE(edit->isReadOnly()) << edit->objectName().toStdString();
        EXPECT_EQ(edit->focusPolicy(), Qt::NoFocus) << edit->objectName().toStdString();
    }
    EXPECT_EQ(page.BatteryPriceButton->text(), QStringLiteral("..."));
    EXPECT_EQ(page.BatteryPriceButton->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(DetailPageTest, ProductLineIncludesItsTransformer)
{
    fixture.fill({{0, 1, 0}}, true);
    page.ShowBatteryDetail(candidate(0));

    fixture.project().setBatteryType(TBatteryType::ferimont);
    fixture.fill({{1, 1, 1}}, false);
    page.ShowBatteryDetail(candidate(0));
    EXPECT_EQ(page.LabelPowerBattery->text(), QStringLiteral("Potencia (kW)"));
    EXPECT_TRUE(page.LabelTransformInclude->isVisible());
    EXPECT_EQ(page.LabelTransformInclude->text(), QStringLiteral("Incluido"));
    EXPECT_FALSE(page.Label29->isVisible());
    EXPECT_FALSE(page.Label30->isVisible());
    EXPECT_FALSE(page.Label31->isVisible());
    // Hidden with its field, the price button cannot be reached.
    EXPECT_FALSE(page.TransformerPriceButton->isVisible());
    // The hidden edits keep what they showed.
    EXPECT_EQ(page.TransformerAEdit->text(), QStringLiteral("150/5"));
}

TEST_F(DetailPageTest, CandidateWithoutAFittingCableShowsZeros)
{
    const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
    fixture.fill({{3, 2, -1}}, true);
    page.ShowBatteryDetail(candidate(0));
    EXPECT_EQ(page.LabelDetails->text(), QStringLiteral("Nadir"));
    EXPECT_TRUE(page.ImageDetails->pixmap().isNull());
    EXPECT_EQ(page.ConductorGaugeEdit->text(), QStringLiteral("0"));
    EXPECT_EQ(page.ConductorICalculadaEdit->text(), QStringLiteral("0,00"));
    EXPECT_EQ(page.ConductorCurrentEdit->text(), QStringLiteral("0,00"));
    EXPECT_EQ(page.ConductorLengthEdit->text(), QStringLiteral("0,00"));
    EXPECT_EQ(page.ConductorPriceEdit->text(), QStringLiteral("0,00"));
    EXPECT_EQ(page.ConductorCountEdit->text(), QStringLiteral("0x3 Fase"));
    EXPECT_EQ(page.BatteryPowerEdit->text(), QStringLiteral("3,30"));
    EXPECT_EQ(page.BatteryPriceEdit->text(), QStringLiteral("99,99"));
}

TEST_F(DetailPageTest, CableSectionKeepsTheDecimalOfAHalfSection)
{
    // Sections of 1.5 and 2.5 mm² are catalogue sizes: rounding them to a
    // whole number would name a cable that does not exist.
    const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
    fixture.fill({{2, 1, 1}, {0, 1, 0}}, true);
    page.ShowBatteryDetail(candidate(0));
    EXPECT_EQ(page.ConductorGaugeEdit->text(), QStringLiteral("2,5"));
    EXPECT_EQ(page.ConductorCurrentEdit->text(), QStringLiteral("21,00"));
    page.ShowBatteryDetail(candidate(1));
    EXPECT_EQ(page.ConductorGaugeEdit->text(), QStringLiteral("35"));
}

TEST_F(DetailPageTest, PromptButtonsStoreShowAndReport)
{
    fixture.fill({{0, 1, 0}, {1, 1, 1}}, true);
    page.ShowBatteryDetail(candidate(0));
    QSignalSpy stored(&page, &DetailPage::valueStored);

    struct Row {
        QToolButton* button;
        QLineEdit* edit;
        const char* answer;
        const char* shown;
        PriceField field;
    };
    const Row rows[] = {
        // Half cents read back away from zero, the price from its exact count.
        {page.BatteryPriceButton, page.BatteryPriceEdit, "2.675", "2.68", PriceField::BatteryPrice},
        {page.ConductorLengthButton, page.ConductorLengthEdit, "136.125", "136.13", PriceField::ConductorLength},
        {page.BatteryPriceButton, page.BatteryPriceEdit, "2000.555", "2000.56", PriceField::BatteryPrice},
        {page.TransformerPriceButton, page.TransformerPriceEdit, "50", "50.00", PriceField::TransformerPrice},
        {page.ConductorPriceButton, page.ConductorPriceEdit, "3.1", "3.10", PriceField::ConductorPrice},
        {page.ConductorLengthButton, page.ConductorLengthEdit, "12.5", "12.50", PriceField::ConductorLength},
    };
    for (const Row& row : rows) {
        dialogs.inputAnswers.push_back(QString::fromUtf8(row.answer));
        QTest::mouseClick(row.button, Qt::LeftButton);
        EXPECT_EQ(row.edit->text(), QString::fromUtf8(row.shown)) << row.answer;
        ASSERT_FALSE(stored.isEmpty());
        EXPECT_EQ(stored.takeFirst().at(0).value<PriceField>(), row.field);
    }
    EXPECT_EQ(dialogs.prompts.size(), 6u);
    EXPECT_EQ(candidate(0).Price().ticks(), 20005550);

    // Cancel and a refused answer: no report, the edit as it was.
    dialogs.inputAnswers.push_back(std::nullopt);
    QTest::mouseClick(page.BatteryPriceButton, Qt::LeftButton);
    dialogs.inputAnswers.push_back(QStringLiteral("2.000,5"));
    QTest::mouseClick(page.BatteryPriceButton, Qt::LeftButton);
    EXPECT_TRUE(stored.isEmpty());
    EXPECT_EQ(page.BatteryPriceEdit->text(), QStringLiteral("2000.56"));
    ASSERT_EQ(dialogs.messages.size(), 1u);

    // The second candidate keeps its own values but shares the transformer.
    page.ShowBatteryDetail(candidate(1));
    EXPECT_EQ(page.BatteryPriceEdit->text(), QStringLiteral("1500.00"));
    EXPECT_EQ(page.ConductorLengthEdit->text(), QStringLiteral("0.00"));
    EXPECT_EQ(page.TransformerPriceEdit->text(), QStringLiteral("50.00"));
}

// On a Spanish desktop, whose C library writes numbers with a decimal comma
// too, every figure has the comma once and nowhere else.
TEST_F(DetailPageTest, SpanishDesktopFigures)
{
    const testutils::ScopedCLocale desktop(testutils::SpanishCLocale);
    const testutils::ScopedDefaultLocale spanish(QLocale(QLocale::Spanish, QLocale::Spain));
    fixture.fill({{0, 3, 0}}, true);
    DetailPage shown(fixture.project(), dialogs);
    shown.ShowBatteryDetail(candidate(0));
    EXPECT_EQ(shown.BatteryPowerEdit->text(), QStringLiteral("7,50"));
    EXPECT_EQ(shown.BatteryPriceEdit->text(), QStringLiteral("1234,56"));
    EXPECT_EQ(shown.ConductorICalculadaEdit->text(), QStringLiteral("10,82"));
    EXPECT_EQ(shown.ConductorGaugeEdit->text(), QStringLiteral("35"));
    EXPECT_EQ(shown.ConductorCurrentEdit->text(), QStringLiteral("119,00"));
    EXPECT_EQ(shown.TransformerAEdit->text(), QStringLiteral("150/5"));
    EXPECT_EQ(shown.TransformerPriceEdit->text(), QStringLiteral("45,30"));
}

TEST_F(DetailPageTest, EnglishLabels)
{
    Translation::setEnglishInForce(true);
    DetailPage english(fixture.project(), dialogs);
    fixture.project().setBatteryType(TBatteryType::lumarest);
    fixture.fill({{0, 1, 0}}, false);
    english.ShowBatteryDetail(candidate(0));
    EXPECT_EQ(english.LabelPowerBattery->text(), QStringLiteral("Power (kW)"));
    EXPECT_EQ(english.LabelTransformInclude->text(), QStringLiteral("Included"));
    EXPECT_EQ(english.GroupBox3->title(), QStringLiteral("Equipment to install"));
    EXPECT_EQ(english.TransformerGroupBox->title(), QStringLiteral("Current transformer"));
}

} // namespace
