#include "configform.h"

#include "dskproject.h"
#include "pictures.h"
#include "statictexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TConfigForm::TConfigForm(TDskProject& project, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , FDskProject(project)
{
    setObjectName(QStringLiteral("ConfigForm"));
    setWindowTitle(QStringLiteral("Opciones"));
    setFixedSize(444, 319);
    setModal(true);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("TabControl"));
    auto* languageTab = new QWidget(tabs);
    languageTab->setObjectName(QStringLiteral("LanguageTab"));
    tabs->addTab(languageTab, QStringLiteral("Idioma"));

    auto* prompt = new QLabel(QStringLiteral("Seleccione el idioma de la interfaz:"), languageTab);
    LangOSChecked = new QCheckBox(QStringLiteral("Igual que el sistema operativo"), languageTab);
    LangOSChecked->setObjectName(QStringLiteral("LangOSChecked"));
    LangOSList = new QComboBox(languageTab);
    LangOSList->setObjectName(QStringLiteral("LangOSList"));
    LangOSList->setIconSize(QSize(24, 16));
    // The flags are the dialog's image list: "español" and "english".
    LangOSList->addItem(Pictures::flag(false), QStringLiteral("Español"));
    LangOSList->addItem(Pictures::flag(true), QStringLiteral("English"));
    LangOSList->setCurrentIndex(0);
    auto* note = new QLabel(
        QStringLiteral("Los cambios de idioma estarán disponibles al reiniciar la aplicación."), languageTab);
    note->setObjectName(QStringLiteral("RestartNote"));
    note->setWordWrap(true);

    auto* tabLayout = new QVBoxLayout(languageTab);
    tabLayout->setContentsMargins(16, 16, 16, 16);
    tabLayout->setSpacing(10);
    tabLayout->addWidget(prompt);
    tabLayout->addWidget(LangOSChecked);
    tabLayout->addWidget(LangOSList);
    tabLayout->addStretch();
    tabLayout->addWidget(note);

    auto* okButton = new QPushButton(QStringLiteral("Aceptar"), this);
    okButton->setObjectName(QStringLiteral("OkButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    cancelButton->setAutoDefault(false);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottomBar = new QWidget(this);
    bottomBar->setObjectName(QStringLiteral("BottomLayout"));
    bottomBar->setFixedHeight(47);
    auto* buttons = new QHBoxLayout(bottomBar);
    buttons->setContentsMargins(5, 0, 5, 5);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs, 1);
    layout->addWidget(bottomBar);

    connect(LangOSChecked, &QCheckBox::toggled, this, &TConfigForm::LangOSCheckedChange);
    translateStaticTexts(this);
}

void TConfigForm::LoadFromProject()
{
    LangOSChecked->setChecked(FDskProject.LangOS());
    LangOSList->setCurrentIndex(FDskProject.Language() == TAppLanguage::es ? 0 : 1);
    LangOSCheckedChange();
}

void TConfigForm::SaveToProject()
{
    FDskProject.setLangOS(LangOSChecked->isChecked());
    FDskProject.setLanguage(LangOSList->currentIndex() == 0 ? TAppLanguage::es : TAppLanguage::en);
}

void TConfigForm::LangOSCheckedChange()
{
    LangOSList->setEnabled(!LangOSChecked->isChecked());
}

bool ShowConfigForm(TDskProject& Project, QWidget* parent)
{
    TConfigForm form(Project, parent);
    form.LoadFromProject();
    if (form.exec() != QDialog::Accepted)
        return false;
    form.SaveToProject();
    return true;
}
