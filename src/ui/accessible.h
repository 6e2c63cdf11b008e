// What assistive technology (a screen reader, through Qt's AT-SPI bridge) says for the
// windows' controls: each name tells what the control holds or does.
#pragma once

#include "framework/layout.h"

#include <QString>
#include <string_view>

class QAction;
class QWidget;

namespace mezura {
struct MenuEntry;
}

namespace mezura::ui {

// A unit field: its label and the unit in words, "mm ミリメートル".
QString fieldName(const FieldSpec& field);

// A button by what it does: "目盛りを mm にする", "ヘルプを開く", "OK：選んだ画面を開いて保存する".
QString buttonName(const ButtonSpec& button);

// The gauge: its range from the captions at its ends, "目盛り 0 から 1000mm"; and its
// position, "位置 25 (最大 1000)".
QString gaugeName(const QString& min, const QString& max);
QString gaugeValue(int value, int max);

// Sets a widget's accessible name and description, each only when it differs, so that
// assistive technology hears of real changes only.
void setSpeech(QWidget* widget, const QString& name, const QString& description = {});

// A menu item by what it does: "長さの画面を開く", "表示：画面の大きさを切り替える"; a
// drop-down by its caption.
QString menuItemName(const MenuEntry& item);

// Gives a menu item the name that assistive technology says for it instead of its caption.
// A menu item of Qt speaks its caption alone, so the program answers for the items that
// carry a name (installAccessibleControls, once, before the first window), and for the unit
// fields, which draw themselves until they are first used.
void setSpeech(QAction* action, const QString& name);
void installAccessibleControls();

// A check box of the settings window: "長さの画面を起動時に開く".
QString startupCheckName(const QString& caption);

} // namespace mezura::ui
