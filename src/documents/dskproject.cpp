#include "dskproject.h"

#include "dialogservice.h"
#include "filemessages.h"
#include "fileparse.h"
#include "languagesettings.h"
#include "oldfileparse.h"
#include "selection.h"
#include "translation.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <utility>

namespace {

const QString CurrentExtension = QStringLiteral(".tvk");
const QString OldExtension = QStringLiteral(".fac");

// Where the file name begins: after the last folder separator.
qsizetype fileNameStart(const QString& path)
{
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return slash + 1;
}

// The file name's extension, from its last "." on; empty without one. A dot
// in a folder name is no extension.
QString extensionOf(const QString& path)
{
    const qsizetype start = fileNameStart(path);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= start ? path.mid(dot) : QString();
}

// The name with its extension replaced by ".tvk" (appended when it has
// none); a name already ending in ".tvk", in any letter case, stays as it is.
QString withCurrentExtension(const QString& path)
{
    const QString extension = extensionOf(path);
    if (extension.compare(CurrentExtension, Qt::CaseInsensitive) == 0)
        return path;
    return path.left(path.size() - extension.size()) + CurrentExtension;
}

// Gives `to`, which has been reset, what a project file holds of `from`:
// the customer texts, the supply and equipment options, the contracted power
// and the billing data. The billing periods change hands as one list, not
// one by one, so that opening takes time in step with the file's size;
// `from` is left with the empty list of `to`.
void takeFileContents(TCProyect& from, TCProyect& to)
{
    to.setBusinessName(from.BusinessName());
    to.setUserName(from.UserName());
    to.setAddress(from.Address());
    to.setState(from.State());
    to.setPlace(from.Place());
    to.setTelephone(from.Telephone());
    to.setDistribution(from.Distribution());
    to.setCalculationType(from.CalculationType());
    to.setBatteryType(from.BatteryType());
    to.setTemperature(from.Temperature());
    to.setVoltage(from.Voltage());
    to.setFrequency(from.Frequency());
    to.setHarmonics(from.Harmonics());
    to.setMaximumPower(from.MaximumPower());
    to.setHasInputTransformer(from.HasInputTransformer());
    to.setInputTransformer(from.InputTransformer());
    std::swap(from.ConsumptionList(), to.ConsumptionList());
}

} // namespace

std::unique_ptr<QSettings> TDskProject::defaultSettings()
{
    auto settings = std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ORVEL"), QStringLiteral("Tenvik7"));
    // Only the user's own key counts: a value the organisation-wide or the
    // machine-wide store holds would otherwise be read in its place and then
    // written into the user's key.
    settings->setFallbacksEnabled(false);
    return settings;
}

TDskProject::TDskProject(IDbDataModule* ADataModuleInt, IDialogService* dialogs, std::unique_ptr<QSettings> settings)
    : TCProyect(ADataModuleInt)
    , m_dialogs(dialogs)
    , m_settings(settings ? std::move(settings) : defaultSettings())
{
    // The base constructor reset its own part; the document's part follows.
    resetDocument();
    FLangOs = true;
    LoadSettings();
}

TDskProject::~TDskProject()
{
    try {
        SaveSettings();
    } catch (...) {
        // The choice is lost for the next run; the program still ends cleanly.
    }
}

void TDskProject::Reset()
{
    TCProyect::Reset();
    resetDocument();
}

void TDskProject::resetDocument()
{
    FFileName.clear();
    FVersion = QStringLiteral("7.1.0");
    FValidCalculation = false;
    FIsSaved = false;
}

void TDskProject::New()
{
    Reset();
}

void TDskProject::Execute()
{
    if (FValidCalculation)
        return;
    Selection().Execute(); // a failure leaves both flags as they were
    FIsSaved = false;
    FValidCalculation = true;
}

bool TDskProject::Open()
{
    const std::optional<QString> name = m_dialogs->getOpenFileName(FDialogSaveFilterName);
    if (!name || name->isEmpty())
        return false;
    OpenFromFile(*name);
    return true;
}

// The file is read into a project of its own and taken over only when the
// whole of it has been read: a failed open leaves the document as it was.
void TDskProject::OpenFromFile(const QString& fileName)
{
    const QString extension = extensionOf(fileName);
    const bool current = extension.compare(CurrentExtension, Qt::CaseInsensitive) == 0;
    const bool old = extension.compare(OldExtension, Qt::CaseInsensitive) == 0;
    if (!current && !old)
        FileMessages::raiseInvalidFormat();

    TCProyect staging(DataModule());
    QString version = QStringLiteral("7.1.0");
    try {
        if (current)
            TFileParse(&staging, &version).open(fileName);
        else
            OldFileOpen(staging, fileName);
    } catch (const std::exception&) {
        FileMessages::raiseInvalidFormat();
    }

    Reset();
    takeFileContents(staging, *this);
    if (current) {
        FFileName = fileName;
        FVersion = version;
    }
    FIsSaved = FValidCalculation;
}

void TDskProject::Save()
{
    const std::optional<QString> chosen
        = m_dialogs->getSaveFileName(FFileName, FDialogOpenFilterName, CurrentExtension, true);
    if (!chosen || chosen->isEmpty())
        return;
    const QString name = withCurrentExtension(*chosen);
    // The dialog asked about the name it returned, not about this one.
    if (name != *chosen && QFileInfo::exists(name)
        && !m_dialogs->askYesNo(TranslateText(FileMessages::replaceQuestion()).arg(name)))
        return;
    SaveToFile(name);
    FFileName = name;
}

void TDskProject::SaveToFile(const QString& fileName)
{
    try {
        TFileParse(this).save(fileName);
    } catch (const std::exception&) {
        FileMessages::raiseSaveFailed();
    }
    FIsSaved = true;
}

void TDskProject::LoadSettings()
{
    const LanguageSettings::Choice choice = LanguageSettings::read(*m_settings);
    FLangOs = choice.langOS;
    setLanguage(choice.language);
}

void TDskProject::SaveSettings()
{
    LanguageSettings::write(*m_settings, { FLangOs, Language() });
}
