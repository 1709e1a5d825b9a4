#include "configform.h"

#include "dskproject.h"
#include "translation.h"

#include "modalhelper.h"
#include "testutils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ConfigFormTest : public ::testing::Test {
protected:
    ConfigFormTest()
        : project(
            nullptr, &dialogs, std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat))
    {
    }

    QTemporaryDir dir;
    testutils::ScriptedDialogs dialogs;
    TDskProject project;
};

QCheckBox* box(QWidget* dialog)
{
    return dialog->findChild<QCheckBox*>(QStringLiteral("LangOSChecked"));
}

QComboBox* list(QWidget* dialog)
{
    return dialog->findChild<QComboBox*>(QStringLiteral("LangOSList"));
}

} // namespace

TEST_F(ConfigFormTest, opensWithTheProjectsChoiceAndStoresItOnAccept)
{
    struct Case {
        bool langOS;
        TAppLanguage language;
        int index;
    };
    const Case cases[] = {
        { true, TAppLanguage::en, 1 }, { false, TAppLanguage::es, 0 },
        { false, static_cast<TAppLanguage>(2), 1 }, // outside the two languages: English
    };
    for (const Case& c : cases) {
        project.setLangOS(c.langOS);
        project.setLanguage(c.language);
        ModalScript answer([&](QWidget* dialog) {
            EXPECT_EQ(box(dialog)->isChecked(), c.langOS);
            EXPECT_EQ(list(dialog)->currentIndex(), c.index);
            EXPECT_EQ(list(dialog)->isEnabled(), !c.langOS);
            QTest::mouseClick(dialog->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        });
        EXPECT_TRUE(ShowConfigForm(project));
        EXPECT_TRUE(answer.ran());
        EXPECT_EQ(project.LangOS(), c.langOS);
        EXPECT_EQ(project.Language(), c.index == 0 ? TAppLanguage::es : TAppLanguage::en);
    }
}

TEST_F(ConfigFormTest, theCheckBoxDisablesTheListAndAChoiceIsStored)
{
    project.setLangOS(true);
    project.setLanguage(TAppLanguage::es);
    ModalScript answer([&](QWidget* dialog) {
        QTest::mouseClick(box(dialog), Qt::LeftButton);
        EXPECT_TRUE(list(dialog)->isEnabled());
        QTest::mouseClick(box(dialog), Qt::LeftButton);
        EXPECT_FALSE(list(dialog)->isEnabled());
        QTest::mouseClick(box(dialog), Qt::LeftButton);
        list(dialog)->setCurrentIndex(1);
        QTest::keyClick(dialog, Qt::Key_Return); // "Aceptar" is the default button
    });
    EXPECT_TRUE(ShowConfigForm(project));
    EXPECT_TRUE(answer.ran());
    EXPECT_FALSE(project.LangOS());
    EXPECT_EQ(project.Language(), TAppLanguage::en);
    EXPECT_FALSE(project.IsSaved()); // untouched: still the new project's
}

TEST_F(ConfigFormTest, cancelEscapeAndCloseStoreNothing)
{
    enum class Leave { Cancel, Escape, Close };
    for (Leave leave : { Leave::Cancel, Leave::Escape, Leave::Close }) {
        project.setLangOS(false);
        project.setLanguage(TAppLanguage::es);
        ModalScript answer([&](QWidget* dialog) {
            QTest::mouseClick(box(dialog), Qt::LeftButton);
            list(dialog)->setCurrentIndex(1);
            if (leave == Leave::Cancel)
                QTest::mouseClick(dialog->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
            else if (leave == Leave::Escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->close();
        });
        EXPECT_FALSE(ShowConfigForm(project));
        EXPECT_TRUE(answer.ran());
        EXPECT_FALSE(project.LangOS());
        EXPECT_EQ(project.Language(), TAppLanguage::es);
    }
}

TEST_F(ConfigFormTest, staticTextsFollowTheTableInForceButNamesAndCaptionStay)
{
    Translation::setEnglishInForce(true);
    TConfigForm form(project);
    Translation::setEnglishInForce(false);
    EXPECT_EQ(form.windowTitle(), "Opciones");
    EXPECT_EQ(form.size(), QSize(444, 319));
    EXPECT_EQ(form.findChild<QTabWidget*>()->tabText(0), "Idioma");
    EXPECT_EQ(box(&form)->text(), "Same as the operating system");
    EXPECT_EQ(list(&form)->itemText(0), "Español");
    EXPECT_EQ(list(&form)->itemText(1), "English");
    EXPECT_FALSE(list(&form)->itemIcon(0).isNull());
    EXPECT_FALSE(list(&form)->itemIcon(1).isNull());
    EXPECT_EQ(form.findChild<QPushButton*>("OkButton")->text(), "Ok");
    EXPECT_EQ(form.findChild<QPushButton*>("CancelButton")->text(), "Cancel");
    QStringList labels;
    for (QLabel* label : form.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains("Select language:"));
    EXPECT_TRUE(labels.contains("Language changes will be available when the application is restarted."));
}
