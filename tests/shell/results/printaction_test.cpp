#include "resultsharness.h"

#include "errorreport.h"
#include "fakeprinters.h"
#include "poppler.h"
#include "printerform.h"
#include "reportfilling.h"
#include "reportlayout.h"
#include "translation.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the print-destination dialog once it is up.
void answerDestination(std::function<void(TPrinterForm&)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* form = qobject_cast<TPrinterForm*>(QApplication::activeModalWidget()))
            act(*form);
    });
}

void chooseFile(TPrinterForm& form)
{
    form.RadioButtonPDF->setChecked(true);
    form.AddButton->click();
}

class PrintActionTest : public ResultsViewTest {
public:
    PrintActionTest()
    {
        texts = LangTextReport(document, layout.frxReport());
        view->setReport(&layout, texts);
        view->setPrinterService(&printers);
        printers.outputFile = output.filePath(QStringLiteral("printed.pdf"));
        BusinessNameEdit->setText(QStringLiteral("Talleres Ibarra S.A."));
        contractedPowerProject(120);
        view->FindBatteryActionExecute();
        clickCandidate(0);
    }

    QString exportTo(const QString& name)
    {
        const QString file = output.filePath(name);
        dialogs.fileAnswers.push_back(file);
        answerDestination(chooseFile);
        view->PrintActionExecute();
        return file;
    }

    ReportLayout layout;
    TReportTexts texts;
    FakePrinters printers { { QStringLiteral("Oficina"), QStringLiteral("Planta 2"), QStringLiteral("Almacén") }, 1 };
    QTemporaryDir output;
};

TEST_F(PrintActionTest, ExportsThePdfWithItsDocumentInformation)
{
    ASSERT_TRUE(onDetailPage());
    const QString code = view->activeBattery()->Code();
    const QString file = exportTo(QStringLiteral("informe.pdf"));
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    ASSERT_TRUE(QFile::exists(file));
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests[0].save);

    const QMap<QString, QString> info = poppler::info(file);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(info.value(QStringLiteral("Title")), QStringLiteral("Informe TENVIK versión 7"));
    EXPECT_EQ(info.value(QStringLiteral("Author")), QStringLiteral("Orvel Energía"));
    EXPECT_EQ(info.value(QStringLiteral("Creator")), QStringLiteral("Orvel Energía"));
    const QString text = poppler::text(file);
    EXPECT_TRUE(text.contains(QStringLiteral("Talleres Ibarra S.A."))) << text.toStdString();
    EXPECT_TRUE(text.contains(code)) << text.toStdString();
}

TEST_F(PrintActionTest, TitleStaysSpanishUnderEnglishAndEachExportIsItsOwn)
{
    Translation::setEnglishInForce(true);
    const QString first = exportTo(QStringLiteral("first.pdf"));
    const QString second = exportTo(QStringLiteral("second.pdf"));
    ASSERT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_EQ(poppler::info(second).value(QStringLiteral("Title")), QStringLiteral("Informe TENVIK versión 7"));
}

TEST_F(PrintActionTest, PrintsOnTheChosenPrinter)
{
    answerDestination([](TPrinterForm& form) { form.AddButton->click(); });
    view->PrintActionExecute();
    EXPECT_EQ(printers.refreshes, 1);
    EXPECT_EQ(printers.printedOn, QStringList { QStringLiteral("Planta 2") });
    EXPECT_EQ(printers.jobNames, QStringList { QStringLiteral("Informe TENVIK versión 7") });
    EXPECT_TRUE(dialogs.fileRequests.empty());
    const QMap<QString, QString> info = poppler::info(printers.outputFile);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(info.value(QStringLiteral("Title")), QStringLiteral("Informe TENVIK versión 7"));
    EXPECT_TRUE(info.value(QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")));
    const QString text = poppler::text(printers.outputFile);
    EXPECT_TRUE(text.contains(QStringLiteral("Talleres Ibarra S.A."))) << text.toStdString();
}

TEST_F(PrintActionTest, ARefusedJobIsReportedWithThePrinterAndTheReason)
{
    struct Case {
        bool english;
        QString refusal;
        QString message;
    };
    // The reason closes with the message's own full stop.
    for (const Case& c : {
             Case { false, QStringLiteral("sin papel"), QStringLiteral("No se puede imprimir en «Planta 2»: sin papel.") },
             Case { true, QStringLiteral("Destination \"Planta 2\" is not accepting jobs."),
                 QStringLiteral("Cannot print on “Planta 2”: Destination \"Planta 2\" is not accepting jobs.") } }) {
        SCOPED_TRACE(c.english);
        Translation::setEnglishInForce(c.english);
        printers.refusal = c.refusal;
        dialogs.messages.clear();
        answerDestination([](TPrinterForm& form) { form.AddButton->click(); });
        // As the main window runs its actions.
        runReported(dialogs, [this] { view->PrintActionExecute(); });
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
    }
    EXPECT_TRUE(printers.printedOn.isEmpty());
}

TEST_F(PrintActionTest, CancelLeavesTheReportPreparedAndWritesNothing)
{
    answerDestination([](TPrinterForm& form) { form.CancelButton->click(); });
    view->PrintActionExecute();
    EXPECT_TRUE(printers.printedOn.isEmpty());
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(layout.frxReport().prepared().pages.size(), 2u);

    // Cancelling the file question ends quietly too.
    dialogs.fileAnswers.push_back(std::nullopt);
    answerDestination(chooseFile);
    view->PrintActionExecute();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintActionTest, UnwritableTargetShowsTheFiltersMessage)
{
    // A path below a regular file cannot be written, even as root.
    QFile blocker(output.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    exportTo(QStringLiteral("blocker/informe.pdf"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("No es posible guardar el archivo en la carpeta destino."));
    EXPECT_TRUE(onDetailPage());
}

} // namespace
