// Printing through a CUPS server of the test's own, with the program's own
// printer service: what reaches the queue, what a refused job shows, and a
// server that does not answer.
#include "resultsharness.h"

#include "cupsserver.h"
#include "errorreport.h"
#include "poppler.h"
#include "printerform.h"
#include "reportfilling.h"
#include "reportlayout.h"
#include "translation.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// What the destination dialog showed when it came up.
struct DialogSeen {
    bool shown = false;
    QStringList printers;
    QString selected;
    bool printerOption = false;
    bool fileOption = false;
};

// Answers the destination dialog once it is up, after noting what it shows.
void answerDestination(DialogSeen& seen, std::function<void(TPrinterForm&)> act)
{
    QTimer::singleShot(0, [&seen, act] {
        auto* form = qobject_cast<TPrinterForm*>(QApplication::activeModalWidget());
        if (!form)
            return;
        seen.shown = true;
        for (int i = 0; i < form->PrintersComboBox->count(); ++i)
            seen.printers.append(form->PrintersComboBox->itemText(i));
        seen.selected = form->PrintersComboBox->currentText();
        seen.printerOption = form->RadioButtonPrinter->isEnabled() && form->RadioButtonPrinter->isChecked();
        seen.fileOption = form->RadioButtonPDF->isChecked();
        act(*form);
    });
}

class CupsPrintingTest : public ResultsViewTest {
public:
    CupsPrintingTest()
    {
        texts = LangTextReport(document, layout.frxReport());
        view->setReport(&layout, texts);
        BusinessNameEdit->setText(QStringLiteral("Talleres Ibarra S.A."));
        contractedPowerProject(120);
        view->FindBatteryActionExecute();
        clickCandidate(0);
    }

    // Print, OK on the dialog as it comes (after `beforeOk`), reported as
    // the main window reports an action's failure.
    DialogSeen printWithOk(const std::function<void()>& beforeOk = {})
    {
        DialogSeen seen;
        answerDestination(seen, [beforeOk](TPrinterForm& form) {
            if (beforeOk)
                beforeOk();
            form.AddButton->click();
        });
        runReported(dialogs, [this] { view->PrintActionExecute(); });
        return seen;
    }

    // The reason CUPS gives for a job on `queue`, as its own lp tells it.
    QString lpReason(const QString& queue)
    {
        QString output;
        EXPECT_FALSE(server.run(
            QStringLiteral("lp"), { QStringLiteral("-d"), queue, QCoreApplication::applicationFilePath() }, &output));
        // "lp: reason", the program's name as it was started.
        return output.section(QStringLiteral(": "), 1);
    }

    // The queue's names sort as CUPS lists them; the second is the default.
    CupsServer server { { QStringLiteral("Almacen"), QStringLiteral("Planta"), QStringLiteral("Taller") },
        QStringLiteral("Planta") };
    ReportLayout layout;
    TReportTexts texts;
};

TEST_F(CupsPrintingTest, TheQueueGetsOneCopyOfTwoA4PagesNamedAfterTheReport)
{
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    ASSERT_TRUE(onDetailPage());
    // A queue that prints two copies of a job that asks for none.
    ASSERT_TRUE(server.run(QStringLiteral("lpadmin"),
        { QStringLiteral("-p"), QStringLiteral("Planta"), QStringLiteral("-o"), QStringLiteral("copies-default=2") }));

    const DialogSeen seen = printWithOk();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(
        seen.printers, (QStringList { QStringLiteral("Almacen"), QStringLiteral("Planta"), QStringLiteral("Taller") }));
    EXPECT_EQ(seen.selected, QStringLiteral("Planta"));
    EXPECT_TRUE(seen.printerOption);
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();

    const QStringList documents = server.documents();
    ASSERT_EQ(documents.size(), 1) << documents.join(QLatin1Char(' ')).toStdString();
    const QMap<QString, QString> info = poppler::info(documents[0]);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_TRUE(info.value(QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")))
        << info.value(QStringLiteral("Page size")).toStdString();
    const QString text = poppler::text(documents[0]);
    EXPECT_TRUE(text.contains(QStringLiteral("Talleres Ibarra S.A."))) << text.toStdString();

    EXPECT_TRUE(server.jobAttribute(1, QStringLiteral("job-printer-uri")).endsWith(QStringLiteral("/printers/Planta")));
    EXPECT_EQ(server.jobAttribute(1, QStringLiteral("copies")), QStringLiteral("1"));
    EXPECT_EQ(server.jobAttribute(1, QStringLiteral("media")), QStringLiteral("iso_a4_210x297mm"));
    EXPECT_EQ(server.jobAttribute(1, QStringLiteral("job-name")), QStringLiteral("Informe TENVIK versión 7"));
}

TEST_F(CupsPrintingTest, ARefusedJobShowsThePrinterAndCupsReason)
{
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();
    ASSERT_TRUE(server.run(
        QStringLiteral("cupsreject"), { QStringLiteral("-r"), QStringLiteral("sin papel"), QStringLiteral("Planta") }));
    QString reason = lpReason(QStringLiteral("Planta"));
    ASSERT_FALSE(reason.isEmpty());
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);

    struct Case {
        bool english;
        QString expected;
    };
    for (const Case& c : { Case { false, QStringLiteral("No se puede imprimir en «Planta»: %1.").arg(reason) },
             Case { true, QStringLiteral("Cannot print on “Planta”: %1.").arg(reason) } }) {
        SCOPED_TRACE(c.english);
        Translation::setEnglishInForce(c.english);
        dialogs.messages.clear();
        printWithOk();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
        EXPECT_EQ(dialogs.messages[0].text.toStdString(), c.expected.toStdString());
    }
    EXPECT_TRUE(server.documents().isEmpty());
    EXPECT_TRUE(onDetailPage());
}

TEST_F(CupsPrintingTest, AServerThatDoesNotAnswerIsGivenUpOn)
{
    ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString();

    // Stopped before the dialog: it comes as on a machine without printers.
    server.stop();
    DialogSeen seen;
    answerDestination(seen, [](TPrinterForm& form) { form.CancelButton->click(); });
    runReported(dialogs, [this] { view->PrintActionExecute(); });
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(seen.printers.isEmpty());
    EXPECT_FALSE(seen.printerOption);
    EXPECT_TRUE(seen.fileOption);
    EXPECT_TRUE(dialogs.messages.empty());

    // Stopped after the list was read: the job is reported as not handed over.
    server.resume();
    seen = printWithOk([this] { server.stop(); });
    EXPECT_EQ(seen.selected, QStringLiteral("Planta"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("No se puede imprimir en «Planta»: ")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_GT(dialogs.messages[0].text.size(), QStringLiteral("No se puede imprimir en «Planta»: .").size());
}

} // namespace
