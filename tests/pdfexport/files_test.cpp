#include "exceptions.h"
#include "exporthelpers.h"
#include "harudocument.h"
#include "samplereport.h"
#include "testutils.h"
#include "ufrxPDFExport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString CannotSave = QStringLiteral("No es posible guardar el archivo en la carpeta destino.");
const QByteArray OldContent("the customer's earlier report");

class PdfExportFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_target = m_dir.filePath(QStringLiteral("informe.pdf"));
        ASSERT_TRUE(testutils::writeFile(m_target, OldContent));
    }

    QStringList folderContents() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // A filter that counts the documents it creates.
    std::unique_ptr<TfrxPDFExport> filter()
    {
        return std::make_unique<TfrxPDFExport>(m_dialogs, [this] {
            ++m_documentsCreated;
            return std::make_unique<pdf::HaruDocument>();
        });
    }

    QTemporaryDir m_dir;
    QString m_target;
    testutils::ScriptedDialogs m_dialogs;
    int m_documentsCreated = 0;
};

} // namespace

TEST_F(PdfExportFilesTest, TheSaveDialogAsksForAPdfFile)
{
    m_dialogs.fileAnswers.push_back(std::nullopt);
    filter()->ShowModal();
    ASSERT_EQ(m_dialogs.fileRequests.size(), 1u);
    const auto& request = m_dialogs.fileRequests.front();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, QStringLiteral("Adobe PDF (*.pdf)|*.pdf"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral(".pdf"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.fileName.isEmpty());
}

TEST_F(PdfExportFilesTest, CancellingTheDialogWritesAndDeletesNothing)
{
    m_dialogs.fileAnswers.push_back(std::nullopt);
    const QStringList before = folderContents();
    auto exporter = filter();
    EXPECT_EQ(exporter->ShowModal(), report::ModalResult::Cancel);
    m_dialogs.fileAnswers.push_back(std::nullopt);
    EXPECT_NO_THROW(report::runExport(sample::twoPageReport(), *exporter));
    EXPECT_EQ(m_documentsCreated, 0);
    EXPECT_EQ(folderContents(), before);
    EXPECT_EQ(testutils::readFile(m_target), OldContent);
}

TEST_F(PdfExportFilesTest, AChosenFileStaysUntilTheNewReportIsComplete)
{
    m_dialogs.fileAnswers.push_back(m_target);
    auto exporter = filter();
    ASSERT_EQ(exporter->ShowModal(), report::ModalResult::Ok);
    EXPECT_EQ(testutils::readFile(m_target), OldContent);

    ASSERT_TRUE(exporter->Start());
    const report::PreparedReport prepared = sample::twoPageReport();
    for (int i = 0; i < 2; ++i) {
        exporter->StartPage(prepared.pages[i], i);
        for (const report::PreparedObject& object : prepared.pages[i].objects) {
            exporter->ExportObject(object);
            for (const report::PreparedObject& child : object.children)
                exporter->ExportObject(child);
        }
        exporter->FinishPage(prepared.pages[i], i);
        EXPECT_EQ(testutils::readFile(m_target), OldContent);
    }
    exporter->Finish();
    EXPECT_TRUE(testutils::readFile(m_target).startsWith("%PDF-"));
    EXPECT_EQ(folderContents(), QStringList({ QStringLiteral("informe.pdf") }));
}

TEST_F(PdfExportFilesTest, AFailedExportLeavesTheExistingFileAndNoHalfReport)
{
    // libharu refuses a 0 pt font: the export fails halfway down the first
    // sheet, with drawing already done.
    report::PreparedReport prepared = sample::twoPageReport();
    report::PreparedObject& band = prepared.pages[0].objects.back();
    ASSERT_FALSE(band.children.empty());
    band.children.back().fontSize = 0;

    m_dialogs.fileAnswers.push_back(m_target);
    auto exporter = filter();
    EXPECT_THROW(report::runExport(prepared, *exporter), EInOutError);
    EXPECT_EQ(testutils::readFile(m_target), OldContent);
    EXPECT_EQ(folderContents(), QStringList({ QStringLiteral("informe.pdf") }));
}

TEST_F(PdfExportFilesTest, AnUnwritableTargetIsRefusedBeforeAnythingIsDrawn)
{
    const QString folderAsFile = m_dir.filePath(QStringLiteral("a-file"));
    ASSERT_TRUE(testutils::writeFile(folderAsFile, "x"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("a-folder")));
    const QString cases[] = {
        folderAsFile + QStringLiteral("/informe.pdf"), // parent is a regular file (fails even as root)
        m_dir.filePath(QStringLiteral("missing/informe.pdf")),
        m_dir.filePath(QStringLiteral("a-folder")), // the name is taken by a folder
    };
    for (const QString& target : cases) {
        SCOPED_TRACE(target.toStdString());
        m_dialogs.fileAnswers.push_back(target);
        auto exporter = filter();
        try {
            report::runExport(sample::twoPageReport(), *exporter);
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.message(), CannotSave);
        }
    }
    EXPECT_EQ(m_documentsCreated, 0);
}

TEST_F(PdfExportFilesTest, SavingThatFailsAtTheEndRaisesTheMessage)
{
    QTemporaryDir other;
    const QString folder = other.filePath(QStringLiteral("goes-away"));
    ASSERT_TRUE(QDir().mkpath(folder));
    m_dialogs.fileAnswers.push_back(folder + QStringLiteral("/informe.pdf"));
    auto exporter = filter();
    ASSERT_EQ(exporter->ShowModal(), report::ModalResult::Ok);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    // Its place is taken by a file: the write fails even as root.
    ASSERT_TRUE(testutils::writeFile(folder, "x"));

    ASSERT_TRUE(exporter->Start());
    try {
        exporter->Finish();
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), CannotSave);
    }
}
