#pragma once

class QStackedWidget;
class QWidget;

// The main window's page stacks: MainTabControl shows DataTab or ResultData;
// ResultTabControl, inside ResultData, shows BatteryTabItem (the list) or
// BatteryDetailTabItem (the detail). Both change by code only.
// BatteryTabItem and BatteryDetailTabItem are empty pages with a
// margin-less vertical layout, for the results pages to be installed in.
struct PageStacks {
    QStackedWidget* MainTabControl = nullptr;
    QWidget* DataTab = nullptr;
    QWidget* ResultData = nullptr;
    QStackedWidget* ResultTabControl = nullptr;
    QWidget* BatteryTabItem = nullptr;
    QWidget* BatteryDetailTabItem = nullptr;
};
