#include "errorreport.h"
#include "qtdialogservice.h"

#include "testutils.h"

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
        {"Archivos de Tenvik (*.tvk;*.fac)|*.tvk;*.fac|Archivos de Tenvik 7 (*.tvk)|*.tvk|Archivos de Tenvik 6 "
         "(*.fac)|*.fac",
         {"Archivos de Tenvik (*.tvk *.fac)", "Archivos de Tenvik 7 (*.tvk)", "Archivos de Tenvik 6 (*.fac)"}},
        {"Tenvik Files 7 (*.tvk)|*.tvk", {"Tenvik Files 7 (*.tvk)"}},
        {"Adobe PDF|*.pdf", {"Adobe PDF (*.pdf)"}},
        {"Todo| ; ", {"Todo (*)"}},
        {"Solo descripción", {"Solo descripción (*)"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtDialogService::toNameFilters(QString::fromUtf8(c.filter)), c.expected) << c.filter;
}

TEST(QtDialogServiceTest, defaultSuffixOnlyForNamesWithoutExtension)
{
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra", ".tvk"), "/tmp/obra.tvk");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra", "pdf"), "/tmp/obra.pdf");
    EXPECT_EQ(QtDialogService::withDefaultSuffix("/tmp/obra.fac", ".tvk"), "/tmp/obra.fac");
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
        {"El archivo no tiene un formato válido.", "El archivo no tiene un formato válido."},
        {"unable to open database file", "unable to open database file."},
        {"Error 42", "Error 42."},
        {"¿Seguro?", "¿Seguro?."}, // "?" sorts after "."
        {"Fin!", "Fin!"},
        {"(ver detalle)", "(ver detalle)"},
        {"", ""},
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
