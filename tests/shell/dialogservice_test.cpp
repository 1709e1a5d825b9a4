#include "errorreport.h"
#include "qtdialogservice.h"

#include "modalhelper.h"
#include "testutils.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <QStringList>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(QtDialogServiceTest, filtersBecomeQtNameFiltersWhosePatternsMatch)
{
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        { "Archivos de Tenvik (*.tvk;*.fac)|*.tvk;*.fac|Archivos de Tenvik 7 (*.tvk)|*.tvk|Archivos de Tenvik 6 "
          "(*.fac)|*.fac",
            { "Archivos de Tenvik (*.tvk *.fac)", "Archivos de Tenvik 7 (*.tvk)", "Archivos de Tenvik 6 (*.fac)" } },
        { "Tenvik Files 7 (*.tvk)|*.tvk", { "Tenvik Files 7 (*.tvk)" } },
        { "Adobe PDF|*.pdf", { "Adobe PDF (*.pdf)" } },
        { "Todo| ; ", { "Todo (*)" } },
        { "Solo descripción", { "Solo descripción (*)" } },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtDialogService::toNameFilters(QString::fromUtf8(c.filter)), c.expected) << c.filter;
}

TEST(QtDialogServiceTest, defaultSuffixOnlyForNamesWithoutExtension)
{
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra", ".tvk"), "/tmp/obra.tvk");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra", "pdf"), "/tmp/obra.pdf");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra.fac", ".tvk"), "/tmp/obra.fac");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra.", ".tvk"), "/tmp/obra.");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/v1.2/obra", ".tvk"), "/tmp/v1.2/obra.tvk");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra", ""), "/tmp/obra");
}

TEST(StandardErrorReportTest, addsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    struct Case {
        const char* message;
        const char* shown;
    };
    const Case cases[] = {
        { "El archivo no tiene un formato válido.", "El archivo no tiene un formato válido." },
        { "unable to open database file", "unable to open database file." },
        { "Error 42", "Error 42." },
        { "¿Seguro?", "¿Seguro?." }, // "?" sorts after "."
        { "Fin!", "Fin!" },
        { "(ver detalle)", "(ver detalle)" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(standardErrorText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
}

TEST(StandardErrorReportTest, failuresInsideAnActionBecomeOneErrorDialog)
{
    testutils::ScriptedDialogs dialogs;
    runReported(dialogs, [] { throw std::out_of_range("Index out of range"); });
    runReported(dialogs, [] {});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].text, "Index out of range.");
}

TEST(QtDialogServiceTest, questionsDefaultToNoAndMessagesCarryTheirKind)
{
    QtDialogService dialogs;
    struct Case {
        Qt::Key key;
        bool answer;
    };
    for (const Case c : { Case { Qt::Key_Return, false }, Case { Qt::Key_Escape, false }, Case { Qt::Key_Y, true } }) {
        ModalScript script([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            EXPECT_EQ(message->text(), "¿Seguro?");
            EXPECT_EQ(message->icon(), QMessageBox::Information);
            EXPECT_EQ(static_cast<QAbstractButton*>(message->defaultButton()), message->button(QMessageBox::No));
            EXPECT_EQ(message->button(QMessageBox::Yes)->text(), "Sí");
            if (c.key == Qt::Key_Y)
                message->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(message, c.key);
        });
        EXPECT_EQ(dialogs.askYesNo(QStringLiteral("¿Seguro?")), c.answer);
        EXPECT_TRUE(script.ran());
    }

    ModalScript script([](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->icon(), QMessageBox::Critical);
        EXPECT_EQ(message->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(message->button(QMessageBox::Ok)->text(), "Aceptar");
        QTest::keyClick(message, Qt::Key_Return);
    });
    dialogs.showMessage(IDialogService::MessageKind::Error, QStringLiteral("Fallo."));
    EXPECT_TRUE(script.ran());
}

TEST(QtDialogServiceTest, inputPromptGivesTheAnswerOrNothing)
{
    QtDialogService dialogs;
    for (bool accept : { true, false }) {
        ModalScript script([&](QWidget* box) {
            auto* input = qobject_cast<QInputDialog*>(box);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->windowTitle(), "Cambiar valor");
            EXPECT_EQ(input->labelText(), "Longitud (m)");
            EXPECT_EQ(input->textValue(), "5");
            input->setTextValue(QStringLiteral("7,5"));
            if (accept)
                input->accept();
            else
                input->reject();
        });
        const std::optional<QString> answer
            = dialogs.inputQuery(QStringLiteral("Cambiar valor"), QStringLiteral("Longitud (m)"), QStringLiteral("5"));
        EXPECT_TRUE(script.ran());
        EXPECT_EQ(answer, accept ? std::optional<QString>(QStringLiteral("7,5")) : std::nullopt);
    }
}
