#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class TDskProject;

// The options dialog: the interface language, either the operating
// system's or Spanish or English. Caption "Opciones", 444 × 319, fixed.
// It edits the document's LangOS and Language; they reach the settings store
// when the program ends and take effect at the next start.
class TConfigForm : public QDialog {
    Q_OBJECT
public:
    explicit TConfigForm(TDskProject& project, QWidget* parent = nullptr);

    void LoadFromProject();
    void SaveToProject();

private:
    void LangOSCheckedChange();

    TDskProject& FDskProject;
    QCheckBox* LangOSChecked = nullptr;
    QComboBox* LangOSList = nullptr;
};

// Shows the dialog for `Project`; true when confirmed with "Aceptar" and the
// choice stored, false otherwise (nothing stored).
bool ShowConfigForm(TDskProject& Project, QWidget* parent = nullptr);
