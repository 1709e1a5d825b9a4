#include "mainform.h"

#include "consumption.h"
#include "datapage.h"
#include "pictures.h"
#include "report.h"
#include "reportlayout.h"

#include "mainformfixture.h"
#include "modalhelper.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {

template <typename W> W* child(QWidget& parent, const char* name)
{
    W* found = parent.findChild<W*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no child ") + name);
    return found;
}

QAction* action(TMainForm& form, const char* name)
{
    auto* found = form.findChild<QAction*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no action ") + name);
    return found;
}

// Writes a small saved project to `path` through a document of its own.
void writeProject(const QString& path, const QString& businessName)
{
    testutils::ScriptedDialogs none;
    QTemporaryDir dir;
    TDskProject other(
        nullptr, &none, std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat));
    other.setBusinessName(businessName);
    other.setVoltage(TVoltage::v480);
    other.setBatteryType(TBatteryType::battery);
    other.SaveToFile(path);
}

// Whether a header section shows its whole text: the header draws it into
// the style's label rectangle and cuts what does not fit.
bool headerTextFits(const QHeaderView& header, int section, const QString& text)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.rect = QRect(0, 0, header.sectionSize(section), header.height());
    option.text = text;
    option.section = section;
    const QRect label = header.style()->subElementRect(QStyle::SE_HeaderLabel, &option, &header);
    return header.fontMetrics().horizontalAdvance(text) <= label.width();
}

} // namespace

using MainFormTest = MainFormFixture;

TEST_F(MainFormTest, frameHoldsThePagesActionsAndBarsByName)
{
    TMainForm& w = create();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.windowTitle(), "Tenvik versión 7");
    EXPECT_EQ(w.size(), QSize(994, 757));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    // No maximise button as every window manager understands it: a fixed
    // client area, which the window system is told as its bounds.
    EXPECT_EQ(w.minimumSize(), QSize(994, 757));
    EXPECT_EQ(w.maximumSize(), QSize(994, 757));
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_EQ(w.windowHandle()->minimumSize(), QSize(994, 757));
    EXPECT_EQ(w.windowHandle()->maximumSize(), QSize(994, 757));
    EXPECT_EQ(w.centralWidget()->geometry(), QRect(0, 0, 994, 757));

    auto* main = child<QStackedWidget>(w, "MainTabControl");
    auto* results = child<QStackedWidget>(w, "ResultTabControl");
    EXPECT_EQ(main->widget(0), child<QWidget>(w, "DataTab"));
    EXPECT_EQ(main->widget(1), child<QWidget>(w, "ResultData"));
    EXPECT_EQ(results->widget(0), child<QWidget>(w, "BatteryTabItem"));
    EXPECT_EQ(results->widget(1), child<QWidget>(w, "BatteryDetailTabItem"));
    EXPECT_EQ(child<QWidget>(w, "TopLayout")->height(), 100);
    EXPECT_EQ(child<QWidget>(w, "BottomLayout")->height(), 64);
    EXPECT_EQ(child<QLabel>(w, "ImageLogo")->size(), QSize(260, 90));

    struct ExpectedAction {
        const char* name;
        const char* text;
        const char* category;
        int image;
    };
    const ExpectedAction expectedActions[] = {
        { "NewAction", "Nuevo", "Menu", 0 },
        { "OpenAction", "Abrir", "Menu", 1 },
        { "SaveAction", "Guardar", "Menu", 2 },
        { "PrintAction", "Imprimir", "Menu", 3 },
        { "ConfigAction", "Opciones", "Menu", 4 },
        { "HelpAction", "Ayuda", "Menu", 5 },
        { "ExitAction", "Salir", "Menu", 6 },
        { "FindBatteryAction", "Calcular", "BottomMenu", 7 },
        { "BackAction", "Atras", "BottomMenu", 8 },
        { "EntryAddAction", "Añadir", "EntriesMenu", 9 },
        { "EntryDeleteAction", "Eliminar", "EntriesMenu", 11 },
        { "EntryEditAction", "Editar", "EntriesMenu", 10 },
    };
    for (const ExpectedAction& expected : expectedActions) {
        QAction* a = action(w, expected.name);
        EXPECT_EQ(a->text(), QString::fromUtf8(expected.text)) << expected.name;
        EXPECT_EQ(a->property("category").toString(), expected.category) << expected.name;
        EXPECT_EQ(a->property("imageIndex").toInt(), expected.image) << expected.name;
        EXPECT_FALSE(a->icon().isNull()) << expected.name;
        EXPECT_TRUE(a->shortcuts().isEmpty()) << expected.name;
    }

    // The top bar's seven 80 × 80 buttons, left to right.
    const char* top[]
        = { "NewAction", "OpenAction", "SaveAction", "PrintAction", "ConfigAction", "HelpAction", "ExitAction" };
    int previousX = -1;
    for (const char* name : top) {
        QToolButton* button = nullptr;
        for (QToolButton* candidate : child<QWidget>(w, "TopLayout")->findChildren<QToolButton*>())
            if (candidate->defaultAction() == action(w, name))
                button = candidate;
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->size(), QSize(80, 80)) << name;
        EXPECT_GT(button->x(), previousX) << name;
        previousX = button->x();
    }
    EXPECT_EQ(w.FindBatteryButton->defaultAction(), w.FindBatteryAction);
    EXPECT_EQ(w.FindBatteryButton->size(), QSize(140, 64));
    EXPECT_EQ(w.BackButton->text(), "Atrás");
    EXPECT_EQ(w.BackButton->size(), QSize(140, 64));
    EXPECT_LT(w.BackButton->x(), w.FindBatteryButton->x());
}

TEST(ImageListTest, holdsFifteenPicturesInTheirOrder)
{
    const QStringList names { "new", "open", "save", "print", "config", "help", "exit", "searchBat", "entryData", "add",
        "edit", "delete", "view", "mark_yes", "mark_no" };
    ASSERT_EQ(ImageList::Count, names.size());
    for (int i = 0; i < ImageList::Count; ++i) {
        EXPECT_EQ(ImageList::name(i), names[i]);
        const QImage picture = ImageList::pixmap(i, 32).toImage();
        EXPECT_FALSE(picture.isNull()) << i;
        // Drawn, not blank: some pixel is not transparent.
        bool drawn = false;
        for (int y = 0; y < picture.height() && !drawn; ++y)
            for (int x = 0; x < picture.width() && !drawn; ++x)
                drawn = qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << i;
    }
    EXPECT_TRUE(ImageList::icon(15).isNull());
    EXPECT_TRUE(ImageList::name(-1).isEmpty());
}

TEST_F(MainFormTest, enabledRulesFollowThePageShown)
{
    TMainForm& w = create();
    struct Case {
        int mainPage;
        int resultPage;
        bool print;
        bool calculate;
        bool back;
    };
    const Case cases[] = {
        { 0, 0, false, true, false },
        { 1, 0, false, false, true },
        { 1, 1, true, false, true },
        { 0, 1, false, true, false },
    };
    for (const Case& c : cases) {
        w.Pages.MainTabControl->setCurrentIndex(c.mainPage);
        w.Pages.ResultTabControl->setCurrentIndex(c.resultPage);
        const std::string what = std::to_string(c.mainPage) + "/" + std::to_string(c.resultPage);
        EXPECT_EQ(w.PrintAction->isEnabled(), c.print) << what;
        EXPECT_EQ(w.FindBatteryAction->isEnabled(), c.calculate) << what;
        EXPECT_EQ(w.BackAction->isEnabled(), c.back) << what;
        EXPECT_EQ(w.BackButton->isEnabled(), c.back) << what;
        for (QAction* always :
            { w.NewAction, w.OpenAction, w.SaveAction, w.ConfigAction, w.HelpAction, w.ExitAction, w.EntryAddAction })
            EXPECT_TRUE(always->isEnabled()) << always->objectName().toStdString() << " " << what;
    }
    w.ResetView();
    EXPECT_EQ(w.Pages.MainTabControl->currentWidget(), w.Pages.DataTab);
    EXPECT_EQ(w.Pages.ResultTabControl->currentWidget(), w.Pages.BatteryTabItem);
}

TEST_F(MainFormTest, calculateReadsResultsOnlyWhileTheCalculationIsValid)
{
    TMainForm& w = create();
    w.show();
    project().setValidCalculation(true);
    w.updateActions();
    EXPECT_EQ(w.FindBatteryAction->text(), "Resultados");
    EXPECT_EQ(w.FindBatteryButton->text(), "Resultados");
    // Typing a customer text keeps the results; a calculation input does not.
    QTest::keyClicks(child<QLineEdit>(w, "BusinessNameEdit"), QStringLiteral("A"));
    EXPECT_FALSE(project().IsSaved());
    EXPECT_TRUE(project().ValidCalculation());
    EXPECT_EQ(w.FindBatteryAction->text(), "Resultados");
    QTest::mouseClick(child<QRadioButton>(w, "BatteryType_ferimont"), Qt::LeftButton); // already selected
    EXPECT_FALSE(project().ValidCalculation());
    EXPECT_EQ(w.FindBatteryAction->text(), "Calcular");
}

TEST_F(MainFormTest, theInterfaceLanguageFollowsTheSettingsAndTheSystem)
{
    struct Case {
        const char* automatic;
        int code;
        const char* system;
        bool english;
    };
    const Case cases[] = {
        { "1", 0, "en", true },
        { "1", 1, "es", false },
        { "1", 1, "fr", false },
        { "0", 1, "es", true },
        { "0", 0, "en", false },
        { "0", 2, "es", true },
    };
    for (const Case& c : cases) {
        storeLanguage(c.automatic, c.code);
        TMainForm& w = create(QString::fromLatin1(c.system));
        const std::string what = std::string(c.automatic) + "/" + std::to_string(c.code) + "/" + c.system;
        EXPECT_EQ(Translation::englishInForce(), c.english) << what;
        EXPECT_EQ(w.NewAction->text(), c.english ? "New" : "Nuevo") << what;
        EXPECT_EQ(w.FindBatteryButton->text(), c.english ? "Calculate" : "Calcular") << what;
        EXPECT_EQ(w.BackButton->text(), c.english ? "Back" : "Atrás") << what;
        EXPECT_EQ(w.BackAction->text(), "Atras") << what; // no row
        EXPECT_EQ(w.windowTitle(), "Tenvik versión 7") << what;
        EXPECT_EQ(child<QLabel>(w, "Label42")->text(), "info@orvel.example") << what;
        form.reset();
        Translation::setEnglishInForce(false);
    }
}

TEST_F(MainFormTest, fileFiltersAreBuiltInTheInterfaceLanguage)
{
    create();
    EXPECT_EQ(project().DialogSaveFilterName(),
        "Archivos de Tenvik (*.tvk;*.fac)|*.tvk;*.fac|Archivos de Tenvik 7 (*.tvk)|*.tvk|Archivos de Tenvik 6 "
        "(*.fac)|*.fac");
    EXPECT_EQ(project().DialogOpenFilterName(), "Archivos de Tenvik 7 (*.tvk)|*.tvk");
    form.reset();
    create(QStringLiteral("en"));
    EXPECT_EQ(project().DialogSaveFilterName(),
        "Tenvik Files (*.tvk;*.fac)|*.tvk;*.fac|Tenvik Files 7 (*.tvk)|*.tvk|Tenvik Files 6 (*.fac)|*.fac");
    EXPECT_EQ(project().DialogOpenFilterName(), "Tenvik Files 7 (*.tvk)|*.tvk");
}

TEST_F(MainFormTest, closingAnUnsavedProjectAsksAndOnlyYesEnds)
{
    TMainForm& w = create();
    w.show();
    QSignalSpy terminate(&w, &TMainForm::terminateRequested);
    // Right after start the project counts as unsaved.
    dialogs.yesNoAnswers = { false, false, true };
    w.close();
    w.ExitAction->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(terminate.count(), 0);
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[0], "¿Está usted seguro que desea salir sin guardar?");
    QTest::keyClicks(child<QLineEdit>(w, "UserNameEdit"), QStringLiteral("Ana"));
    w.close();
    EXPECT_EQ(terminate.count(), 1);
    EXPECT_TRUE(w.isVisible()); // the program ends; the window does not close by itself
    EXPECT_EQ(child<QLineEdit>(w, "UserNameEdit")->text(), "Ana");
}

TEST_F(MainFormTest, aSavedProjectClosesWithoutAQuestionEvenWithAnOutdatedCalculation)
{
    TMainForm& w = create();
    w.show();
    project().setIsSaved(true);
    project().setValidCalculation(false);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MainFormTest, newDropsEverythingAndShowsTheDefaults)
{
    TMainForm& w = create();
    w.show();
    project().setBatteryType(TBatteryType::battery);
    project().setBusinessName(QStringLiteral("Antes"));
    w.LoadProjectData();
    w.Pages.MainTabControl->setCurrentWidget(w.Pages.ResultData);
    w.Pages.ResultTabControl->setCurrentWidget(w.Pages.BatteryDetailTabItem);
    w.NewAction->trigger();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(w.Pages.MainTabControl->currentWidget(), w.Pages.DataTab);
    EXPECT_EQ(w.Pages.ResultTabControl->currentWidget(), w.Pages.BatteryTabItem);
    EXPECT_TRUE(project().BusinessName().isEmpty());
    EXPECT_TRUE(child<QLineEdit>(w, "BusinessNameEdit")->text().isEmpty());
    EXPECT_TRUE(child<QRadioButton>(w, "BatteryType_ferimont")->isChecked());
    EXPECT_FALSE(project().IsSaved());
}

TEST_F(MainFormTest, openCancelledFailedAndSucceeded)
{
    TMainForm& w = create();
    w.show();
    QTest::keyClicks(child<QLineEdit>(w, "BusinessNameEdit"), QStringLiteral("Tecleado"));

    dialogs.fileAnswers = { std::nullopt };
    w.OpenAction->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(child<QLineEdit>(w, "BusinessNameEdit")->text(), "Tecleado");
    EXPECT_EQ(dialogs.fileRequests.at(0).filter, project().DialogSaveFilterName());

    const QString broken = folder() + "/roto.tvk";
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ no es un proyecto");
    file.close();
    dialogs.fileAnswers = { broken };
    w.OpenAction->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].text, "El archivo no tiene un formato válido.");
    EXPECT_EQ(child<QLineEdit>(w, "BusinessNameEdit")->text(), "Tecleado");

    const QString good = folder() + "/bueno.tvk";
    writeProject(good, QStringLiteral("Talleres Ñandú"));
    w.Pages.MainTabControl->setCurrentWidget(w.Pages.ResultData);
    dialogs.fileAnswers = { good };
    w.OpenAction->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(w.Pages.MainTabControl->currentWidget(), w.Pages.DataTab);
    EXPECT_EQ(child<QLineEdit>(w, "BusinessNameEdit")->text(), "Talleres Ñandú");
    EXPECT_TRUE(child<QRadioButton>(w, "Voltage_480")->isChecked());
    EXPECT_TRUE(child<QWidget>(w, "TemperatureGroupBox")->isEnabled()); // capacitor-bank line
}

TEST_F(MainFormTest, openFailureIsReportedInEnglishUnderEnglish)
{
    TMainForm& w = create(QStringLiteral("en"));
    dialogs.fileAnswers = { folder() + "/missing.tvk" };
    w.OpenAction->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "The file does not have a valid format.");
}

TEST_F(MainFormTest, saveStoresThePageWritesTheFileAndReportsFailures)
{
    TMainForm& w = create();
    w.show();
    QTest::keyClicks(child<QLineEdit>(w, "BusinessNameEdit"), QStringLiteral("Guardada"));

    dialogs.fileAnswers = { std::nullopt };
    w.SaveAction->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(project().IsSaved());

    // A path whose parent is a regular file cannot be written, even as root.
    const QString blocker = folder() + "/fichero";
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    dialogs.fileAnswers = { blocker + "/obra.tvk" };
    w.SaveAction->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
        "Ha ocurrido un error al guardar el archivo, verifique que tiene los "
        "permisos necesarios en la carpeta destino.");
    EXPECT_FALSE(project().IsSaved());

    const QString target = folder() + "/obra.tvk";
    dialogs.fileAnswers = { target };
    w.SaveAction->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(project().IsSaved());
    EXPECT_EQ(project().BusinessName(), "Guardada");
    EXPECT_TRUE(testutils::readFile(target).contains("Guardada"));
    EXPECT_EQ(dialogs.fileRequests.back().filter, project().DialogOpenFilterName());
    EXPECT_TRUE(w.close());
}

TEST_F(MainFormTest, helpFollowsTheSavedLanguageAndTheLinksOpenTheirTargets)
{
    storeLanguage("1", 1); // English chosen, but the interface follows a Spanish system
    TMainForm& w = create(QStringLiteral("es"));
    EXPECT_FALSE(Translation::englishInForce());
    w.HelpAction->trigger();
    project().setLanguage(TAppLanguage::es);
    w.HelpAction->trigger();
    QTest::mouseClick(child<QLabel>(w, "Label16"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(w, "Label42"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(folder() + "/tenvik_en.chm"));
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(folder() + "/tenvik.chm"));
    EXPECT_EQ(opened[2], QUrl("http://www.orvel.example"));
    EXPECT_EQ(opened[3], QUrl("mailto:info@orvel.example"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainFormTest, saveUsesTheNumberStillBeingTyped)
{
    TMainForm& w = create();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* hours = child<QAbstractSpinBox>(w, "ConsumptionList_WorkHours");
    hours->setFocus();
    QLineEdit* line = hours->findChild<QLineEdit*>();
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("512"));
    ASSERT_TRUE(hours->hasFocus());
    dialogs.fileAnswers = { folder() + "/tecleado.tvk" };
    w.SaveAction->trigger();
    EXPECT_EQ(project().ConsumptionList().WorkHours(), 512);
    EXPECT_FALSE(project().ValidCalculation());
    EXPECT_TRUE(project().IsSaved());
}

TEST_F(MainFormTest, billingGridShowsEveryColumnWholeWithoutScrollingSideways)
{
    // A year of bimonthly names, the longest period texts, in more rows than
    // the grid shows at once: the vertical scroll bar takes its share.
    for (const bool english : { false, true }) {
        TMainForm& w = create(english ? QStringLiteral("en") : QStringLiteral("es"));
        for (int i = 0; i < 12; ++i) {
            auto period = std::make_unique<TConsumption>();
            period->setPeriod(QStringLiteral("Noviembre-Diciembre"));
            period->setKwht(2147483647);
            period->setKvarh(2147483647);
            period->setPeakDemand(2147483647);
            period->setInputTransformer(2147483647);
            project().ConsumptionList().Add(std::move(period));
        }
        w.LoadProjectData();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QApplication::processEvents();
        ASSERT_EQ(w.centralWidget()->size(), QSize(994, 757));

        auto* grid = child<QTableWidget>(w, "ConsumptionListGrid");
        QHeaderView* header = grid->horizontalHeader();
        EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
        const int widths[] = { 129, 103, 151, 135, 151 };
        int taken = 0;
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
            taken += widths[c];
        }
        EXPECT_EQ(grid->columnWidth(5), grid->viewport()->width() - taken);
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QString text = grid->horizontalHeaderItem(c)->text();
            EXPECT_TRUE(headerTextFits(*header, c, text)) << text.toStdString();
        }
        project().setIsSaved(true);
        form.reset();
        Translation::setEnglishInForce(false);
    }
}

TEST_F(MainFormTest, theKeyboardStartsInTheBusinessNameAtStartNewAndOpen)
{
    TMainForm& w = create();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QLineEdit* businessName = child<QLineEdit>(w, "BusinessNameEdit");
    EXPECT_EQ(QApplication::focusWidget(), businessName);

    const QString saved = folder() + "/abierto.tvk";
    writeProject(saved, QStringLiteral("Talleres Ñandú"));
    struct Step {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        { "New", [&w] { w.NewAction->trigger(); } },
        { "Open",
            [this, &w, saved] {
                dialogs.fileAnswers = { saved };
                w.OpenAction->trigger();
            } },
    };
    for (const Step& step : steps) {
        QWidget* elsewhere = child<QWidget>(w, "UserNameEdit");
        elsewhere->setFocus();
        ASSERT_TRUE(elsewhere->hasFocus()) << step.name;
        step.act();
        EXPECT_EQ(QApplication::focusWidget(), businessName) << step.name;
    }
    EXPECT_EQ(businessName->text(), "Talleres Ñandú");
}

TEST_F(MainFormTest, tabReachesTheDetailPagesCorrectionButtonsInScreenOrder)
{
    TMainForm& w = create(QStringLiteral("es"), QStringLiteral(TENVIK_SHIPPED_CATALOGUE));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    showFirstCandidateDetail(w);
    ASSERT_FALSE(HasFailure());

    QList<QWidget*> corrections;
    for (const char* name :
        { "BatteryPriceButton", "TransformerPriceButton", "ConductorLengthButton", "ConductorPriceButton" }) {
        QWidget* button = child<QWidget>(w, name);
        ASSERT_TRUE(button->isVisible()) << name;
        corrections << button;
    }
    // They come in reading order on the page: the price in the first row,
    // the transformer's price below it, then the cable's length and price.
    for (qsizetype i = 1; i < corrections.size(); ++i) {
        const QPoint previous = corrections[i - 1]->mapTo(&w, QPoint());
        const QPoint next = corrections[i]->mapTo(&w, QPoint());
        EXPECT_TRUE(next.y() > previous.y() || (next.y() == previous.y() && next.x() > previous.x())) << i;
    }

    // Once round the window's Tab chain from the back button.
    w.BackButton->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), w.BackButton);
    QList<QWidget*> visited;
    for (int press = 0; press < 40; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
        if (QApplication::focusWidget() == w.BackButton)
            break;
    }
    ASSERT_EQ(visited.last(), w.BackButton);
    QList<QWidget*> reached;
    for (QWidget* widget : visited) {
        if (corrections.contains(widget))
            reached << widget;
    }
    EXPECT_EQ(reached, corrections);
    // Then the bottom bar's back button, below the page.
    const qsizetype last = visited.indexOf(corrections.last());
    ASSERT_GE(last, 0);
    ASSERT_LT(last + 1, visited.size());
    EXPECT_EQ(visited[last + 1], w.BackButton);

    // The keyboard opens the prompt too.
    dialogs.inputAnswers = { std::nullopt };
    corrections.first()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(corrections.first(), Qt::Key_Space);
    EXPECT_EQ(dialogs.prompts.size(), 1u);
    project().setIsSaved(true);
}

TEST_F(MainFormTest, theReportsFixedTextsFollowTheInterfaceLanguage)
{
    for (const char* system : { "es", "en" }) {
        const bool english = QLatin1String(system) == QLatin1String("en");
        TMainForm& w = create(QString::fromLatin1(system));
        auto* label = w.reportLayout().frxReport().find<report::MemoView>(QStringLiteral("Memo54"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), english ? "Type:" : "Tipo:") << system;
        EXPECT_EQ(w.reportTexts().TransformerTypeLabel, english ? "Type:" : "Tipo:") << system;
        form.reset();
        Translation::setEnglishInForce(false);
    }
}

TEST_F(MainFormTest, tabGoesRoundTheInputsAndBottomBarButNeverTheToolBar)
{
    TMainForm& w = create();
    // A capacitor bank: every installation option is enabled and in the chain.
    project().setBatteryType(TBatteryType::battery);
    w.LoadProjectData();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    const QStringList customer { "UserNameEdit", "AddressEdit", "StateEdit", "PlaceEdit", "DistributionEdit",
        "TelephoneEdit", "BatteryType_ferimont", "Temperature_less_than_35", "Frequency_50hz", "harmonics",
        "Voltage_400" };
    struct Case {
        const char* panel;
        QStringList rest;
    };
    const Case cases[] = {
        { "CalculationType_consumption",
            { "CalculationType_consumption", "ConsumptionListGrid", "EntryAddButton",
                "ConsumptionList_PeriodType_monthly", "ConsumptionList_WorkHours", "ConsumptionList_Powerfactor",
                "FindBatteryButton", "BusinessNameEdit" } },
        { "CalculationType_contracted_power",
            { "CalculationType_contracted_power", "MaximumPowerEdit", "HasInputTransformer", "InputTransformerEdit",
                "FindBatteryButton", "BusinessNameEdit" } },
    };
    QWidget* first = child<QWidget>(w, "BusinessNameEdit");
    for (const Case& c : cases) {
        QTest::mouseClick(child<QRadioButton>(w, c.panel), Qt::LeftButton);
        first->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), first) << c.panel;
        QStringList visited;
        for (int press = 0; press < 40; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
            if (QApplication::focusWidget() == first)
                break;
        }
        EXPECT_EQ(visited, customer + c.rest) << c.panel;
    }

    // The tool bar answers the mouse only.
    for (const char* name :
        { "NewButton", "OpenButton", "SaveButton", "PrintButton", "ConfigButton", "HelpButton", "ExitButton" }) {
        auto* button = child<QToolButton>(w, name);
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << name;
    }
    QTest::keyClicks(first, QStringLiteral("Antes"));
    QTest::mouseClick(child<QToolButton>(w, "NewButton"), Qt::LeftButton);
    EXPECT_TRUE(child<QLineEdit>(w, "BusinessNameEdit")->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), first);
}
