// Pictures of the data page with a filled project, the billing-period dialog
// and the options dialog, in Spanish and in English, for a person to look at.
// They are written under the build folder's test output.
#include "configform.h"
#include "consumption.h"
#include "entryform.h"
#include "mainform.h"
#include "presentform.h"
#include "qtdialogservice.h"

#include "mainformfixture.h"
#include "splashpicture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {

void fill(TDskProject& project)
{
    project.setBusinessName(QStringLiteral("Talleres Metálicos del Ebro, S.L."));
    project.setUserName(QStringLiteral("Ana Pérez Gómez"));
    project.setAddress(QStringLiteral("Polígono Malpica, calle B, nave 7"));
    project.setState(QStringLiteral("Zaragoza"));
    project.setPlace(QStringLiteral("Zaragoza"));
    project.setTelephone(QStringLiteral("976 000 000"));
    project.setDistribution(QStringLiteral("Distribuidora Ejemplo"));
    project.setBatteryType(TBatteryType::battery);
    project.setVoltage(TVoltage::v400);
    project.setHarmonics(true);
    project.ConsumptionList().setWorkHours(320);
    project.ConsumptionList().setPowerfactor(0.98f);
    // A year of bills: more rows than the grid shows at once.
    const char* months[] = { "Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
        "Octubre", "Noviembre", "Diciembre" };
    int i = 0;
    for (const char* month : months) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromUtf8(month));
        period->setYear(2025);
        period->setKwht(41250 + 1375 * i);
        period->setKvarh(30120 - 830 * i);
        period->setPeakDemand(180 + 3 * i);
        period->setInputTransformer(630);
        project.ConsumptionList().Add(std::move(period));
        ++i;
    }
}

QString outputPath(const QString& name)
{
    return QDir(testutils::testOutputFolder()).filePath(name);
}

class ScreenshotTest : public MainFormFixture, public ::testing::WithParamInterface<const char*> {
protected:
    bool english() const { return QLatin1String(GetParam()) == QLatin1String("en"); }
};

} // namespace

TEST_P(ScreenshotTest, dataPageWithAFilledProject)
{
    TMainForm& w = create(QString::fromLatin1(GetParam()));
    fill(project());
    w.LoadProjectData();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.findChild<QTableWidget*>(QStringLiteral("ConsumptionListGrid"))->selectRow(2);
    QApplication::processEvents();
    const QString path = outputPath(QStringLiteral("datapage_%1.png").arg(GetParam()));
    ASSERT_TRUE(w.grab().save(path));
    EXPECT_EQ(QImage(path).size(), w.size());

    QTest::mouseClick(w.findChild<QRadioButton*>(QStringLiteral("CalculationType_contracted_power")), Qt::LeftButton);
    const QString contracted = outputPath(QStringLiteral("datapage_contracted_%1.png").arg(GetParam()));
    ASSERT_TRUE(w.grab().save(contracted));
}

TEST_P(ScreenshotTest, entryDialog)
{
    create(QString::fromLatin1(GetParam()));
    TConsumption period;
    period.setPeriod(QStringLiteral("Marzo"));
    period.setYear(2025);
    period.setKwht(44000);
    period.setKvarh(28460);
    period.setPeakDemand(186);
    period.setInputTransformer(630);
    period.setReactiveSurcharge(312);
    period.setCostPowerTerm(1840);
    period.setCostActiveTerm(5210);
    TEntryForm dialog(period);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QString path = outputPath(QStringLiteral("entryform_%1.png").arg(GetParam()));
    ASSERT_TRUE(dialog.grab().save(path));
    EXPECT_EQ(QImage(path).size(), QSize(680, 304));
}

TEST_P(ScreenshotTest, optionsDialog)
{
    create(QString::fromLatin1(GetParam()));
    project().setLangOS(false);
    project().setLanguage(english() ? TAppLanguage::en : TAppLanguage::es);
    TConfigForm dialog(project());
    dialog.LoadFromProject();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QString path = outputPath(QStringLiteral("configform_%1.png").arg(GetParam()));
    ASSERT_TRUE(dialog.grab().save(path));
    EXPECT_EQ(QImage(path).size(), QSize(444, 319));
}

TEST_P(ScreenshotTest, saveDialogSpeaksTheInterfaceLanguage)
{
    create(QString::fromLatin1(GetParam()));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(QtDialogService::toNameFilters(project().DialogOpenFilterName()));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text(), english() ? "&Save" : "&Guardar");
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), english() ? "Cancel" : "Cancelar");
    const QString path = outputPath(QStringLiteral("savedialog_%1.png").arg(GetParam()));
    ASSERT_TRUE(dialog.grab().save(path));
}

TEST_P(ScreenshotTest, splash)
{
    storeLanguage("0", english() ? 1 : 0);
    TPresentForm splash(std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat), QStringLiteral("es"));
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(shownSplashLanguage(splash), english());
    const QString path = outputPath(QStringLiteral("splash_%1.png").arg(GetParam()));
    ASSERT_TRUE(splash.grab().save(path));
}

INSTANTIATE_TEST_SUITE_P(Languages, ScreenshotTest, ::testing::Values("es", "en"));
