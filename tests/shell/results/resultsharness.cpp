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
    MainTabControl = new QStackedWidget(&window);
    layout->addWidget(MainTabControl);
    DataTab = new QWidget;
    auto* dataLayout = new QVBoxLayout(DataTab);
    BusinessNameEdit = new QLineEdit(DataTab);
    MaximumPowerEdit = new QSpinBox(DataTab);
    MaximumPowerEdit->setRange(0, 1000000);
    // The value follows the text only when the box is left.
    MaximumPowerEdit->setKeyboardTracking(false);
    dataLayout->addWidget(BusinessNameEdit);
    dataLayout->addWidget(MaximumPowerEdit);
    ResultData = new QWidget;
    auto* resultLayout = new QVBoxLayout(ResultData);
    ResultTabControl = new QStackedWidget(ResultData);
    resultLayout->addWidget(ResultTabControl);
    BatteryTabItem = new QWidget;
    BatteryDetailTabItem = new QWidget;
    ResultTabControl->addWidget(BatteryTabItem);
    ResultTabControl->addWidget(BatteryDetailTabItem);
    MainTabControl->addWidget(DataTab);
    MainTabControl->addWidget(ResultData);

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
    view = std::make_unique<ResultsView>(document, dialogs,
        PageStacks { MainTabControl, DataTab, ResultData, ResultTabControl, BatteryTabItem, BatteryDetailTabItem },
        hooks);
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
    return MainTabControl->currentWidget() == ResultData && ResultTabControl->currentWidget() == BatteryTabItem;
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
