#include "resultsharness.h"

#include "translation.h"

#include <QListView>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>

ResultsViewTest::ResultsViewTest()
    : catalogue(QStringLiteral(TENVIK_SHIPPED_CATALOGUE))
    , document(&catalogue, &dialogs,
          std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat))
{
    Translation::setEnglishInForce(false);
    window.resize(994, 757);
    auto* layout = new QVBoxLayout(&window);
    Pages.MainTabControl = new QStackedWidget(&window);
    layout->addWidget(Pages.MainTabControl);
    Pages.DataTab = new QWidget;
    auto* dataLayout = new QVBoxLayout(Pages.DataTab);
    BusinessNameEdit = new QLineEdit(Pages.DataTab);
    MaximumPowerEdit = new QSpinBox(Pages.DataTab);
    MaximumPowerEdit->setRange(0, 1000000);
    // The value follows the text only when the box is left.
    MaximumPowerEdit->setKeyboardTracking(false);
    dataLayout->addWidget(BusinessNameEdit);
    dataLayout->addWidget(MaximumPowerEdit);
    Pages.ResultData = new QWidget;
    auto* resultLayout = new QVBoxLayout(Pages.ResultData);
    Pages.ResultTabControl = new QStackedWidget(Pages.ResultData);
    resultLayout->addWidget(Pages.ResultTabControl);
    Pages.BatteryTabItem = new QWidget;
    Pages.BatteryDetailTabItem = new QWidget;
    Pages.ResultTabControl->addWidget(Pages.BatteryTabItem);
    Pages.ResultTabControl->addWidget(Pages.BatteryDetailTabItem);
    Pages.MainTabControl->addWidget(Pages.DataTab);
    Pages.MainTabControl->addWidget(Pages.ResultData);

    ResultsView::DataPageHooks hooks;
    hooks.StoreCustomerData = [this] {
        ++customerStores;
        document.setBusinessName(BusinessNameEdit->text());
    };
    hooks.StoreProjectData = [this] {
        ++projectStores;
        if (failStore)
            throw std::runtime_error("storage failed");
        document.setBusinessName(BusinessNameEdit->text());
        document.setMaximumPower(MaximumPowerEdit->value());
    };
    hooks.contractedPowerInputs = [this] {
        if (failResultsFill)
            throw std::runtime_error("results fill failed");
        return ResultsPage::DataPageInputs { MaximumPowerEdit->text(), false, QString() };
    };
    view = std::make_unique<ResultsView>(document, dialogs, Pages, hooks);
    window.show();
}

ResultsViewTest::~ResultsViewTest()
{
    Translation::setEnglishInForce(false);
}

void ResultsViewTest::contractedPowerProject(int kw)
{
    document.setBatteryType(TBatteryType::battery);
    document.setCalculationType(TCalculationType::contracted_power);
    document.setVoltage(TVoltage::v400);
    MaximumPowerEdit->setValue(kw);
}

bool ResultsViewTest::onListPage() const
{
    return Pages.MainTabControl->currentWidget() == Pages.ResultData
        && Pages.ResultTabControl->currentWidget() == Pages.BatteryTabItem;
}

ResultsViewTest::ActionStates ResultsViewTest::states()
{
    QAction calculate, back, print;
    view->FindBatteryActionUpdate(calculate);
    view->BackActionUpdate(back);
    view->PrintActionUpdate(print);
    return { calculate.isEnabled(), back.isEnabled(), print.isEnabled(), calculate.text() };
}

void ResultsViewTest::clickCandidate(int row)
{
    QListView* list = view->resultsPage()->BatteryListView;
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
}
