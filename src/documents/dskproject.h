#pragma once

#include "project.h"

#include <QString>

#include <memory>

class IDialogService;
class QSettings;

// The project as the desktop application holds it: the model plus its file
// name, format version, the saved and valid-calculation flags, the file
// dialogs' filters and the interface-language choice. One instance exists
// while the main window exists; a new project is a Reset of it.
class TDskProject : public TCProyect {
public:
    // The settings store the document reads at construction and writes at
    // destruction: organisation "ORVEL", application "Tenvik7", native format.
    static std::unique_ptr<QSettings> defaultSettings();

    // Builds the document in its reset state, sets LangOS, then loads the
    // language settings from `settings` (the default store when null).
    // `dialogs` shows the open and save dialogs and the overwrite question;
    // it is not owned and must outlive the document.
    TDskProject(IDbDataModule* ADataModuleInt, IDialogService* dialogs,
                std::unique_ptr<QSettings> settings = nullptr);
    // Writes the language settings first; never throws.
    ~TDskProject() override;

    void Reset() override;

    // Runs the selection unless the results are already valid.
    void Execute();
    // Shows the open dialog and reads the chosen file; false when cancelled.
    // Any failure raises EInOutError with "El archivo no tiene un formato
    // válido." and leaves the document exactly as it was.
    bool Open();
    // Shows the save dialog and writes the file; a cancelled dialog writes
    // nothing. Failures raise EInOutError.
    void Save();
    // A Reset and nothing else.
    void New();

    // Reads a file without the dialog: ".tvk" in any letter case as the
    // current format (FileName := fileName, Version := the file's), ".fac"
    // as the previous one (FileName emptied); both flags end false. Any
    // other extension and any failure raise EInOutError with the format
    // message and leave the document exactly as it was.
    void OpenFromFile(const QString& fileName);
    // Writes the current format without the dialog and sets IsSaved; the
    // file is replaced whole or not at all. FileName is left to the caller.
    // Failures raise EInOutError with the save message.
    void SaveToFile(const QString& fileName);

    void LoadSettings();
    void SaveSettings();

    const QString& Version() const { return FVersion; }
    void setVersion(const QString& value) { FVersion = value; }
    bool LangOS() const { return FLangOs; }
    void setLangOS(bool value) { FLangOs = value; }
    bool IsSaved() const { return FIsSaved; }
    void setIsSaved(bool value) { FIsSaved = value; }
    bool ValidCalculation() const { return FValidCalculation; }
    void setValidCalculation(bool value) { FValidCalculation = value; }
    const QString& FileName() const { return FFileName; }
    // Named crosswise, as the program always had them: the Open dialog's
    // filter (both formats) and the Save dialog's filter (current format).
    const QString& DialogSaveFilterName() const { return FDialogSaveFilterName; }
    void setDialogSaveFilterName(const QString& value) { FDialogSaveFilterName = value; }
    const QString& DialogOpenFilterName() const { return FDialogOpenFilterName; }
    void setDialogOpenFilterName(const QString& value) { FDialogOpenFilterName = value; }

private:
    void resetDocument();

    bool FIsSaved = false;
    QString FVersion;
    QString FFileName;
    bool FValidCalculation = false;
    QString FDialogSaveFilterName;
    QString FDialogOpenFilterName;
    bool FLangOs = true;

    IDialogService* m_dialogs = nullptr; // not owned
    std::unique_ptr<QSettings> m_settings;
};
