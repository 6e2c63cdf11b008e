// A conversion window: frame, unit fields, buttons and gauge slider, driven by user events.
//
// The window holds what the user sees (field texts, colours, captions, slider, size mode)
// and runs its handlers on it. Each window module supplies its layout, its Enter chains and
// its procedures; everything the ten windows share lives here.
#pragma once

#include "framework/chain.h"
#include "framework/form.h"
#include "framework/frame.h"
#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/notes.h"
#include "framework/rows.h"
#include "framework/slider.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura {

// A procedure of a window, by the number that chains call it by.
struct Procedure {
    int number;
    std::function<void()> run;
};

class ConversionWindow : public Form, public Fields {
public:
    ConversionWindow(App& app, const FrameSpec& frame, Layout layout);

    std::string title() const override { return m_frame.title(); }
    const Layout& layout() const { return m_layout; }
    const FrameModel& frame() const { return m_frame; }
    // The menu bar and the hidden pop-up menu.
    const std::vector<MenuEntry>& menus() const { return m_menus; }
    const MenuEntry& popup() const { return m_popup; }
    int helpTopic() const { return m_helpTopic; }

    // Fields: texts by index in the field table.
    const std::string& text(int field) const override;
    void setText(int field, const std::string& text) override;
    // The sentence that tells what the last Enter in `field` read of its text, when it could
    // not read all of it ("「1.5.2」は 1.5 として換算しました。"); empty when it read the whole
    // text, and again once anything writes the field (an edit, a click, a chain, a reset).
    const std::string& inputNote(int field) const;
    // The window's note: the sentence that tells what the last Enter did with the text typed
    // when the window did not simply convert it (notes.h: enterNote): read only in part or
    // not at all, or put another value in its place (outside every range, below absolute
    // zero, outside the era ruler). Empty when there is none. It stays until the next edit in
    // the window: a text typed into any field, a click on a field, a range button, a move of
    // the slider; the next Enter replaces it. Size, menus, help and the pop-up leave it.
    const std::string& windowNote() const { return m_windowNote; }
    // The field typed into before the Enter that the window's note tells of; -1 without a note.
    int windowNoteField() const { return m_windowNoteField; }
    int fieldIndex(std::string_view name) const;  // -1 when there is none
    int buttonIndex(std::string_view name) const; // -1 when there is none
    Colour fieldColour(int field) const;
    Colour buttonColour(int button) const;
    const std::string& caption(std::string_view label) const; // "IndMax"
    bool hasGauge() const { return !m_layout.sliders.empty(); }
    const Slider& slider() const { return m_slider; }
    // The fields that the out-of-range reset writes, by index; none in a window without one.
    virtual std::vector<int> resetFields() const { return {}; }

    // User events. Each runs to completion; an arithmetic failure is reported to the user.
    void typeText(int field, const std::string& text); // the user edits a field's text
    void keyPress(int field, int keyCode);             // 13 is Enter
    void clickField(int field);
    void clickButton(int button);
    void slide(int position);                     // arrow or track click
    void drag(const std::vector<int>& positions); // thumb dragged, then released
    void dragTo(int position);                    // one move of a drag in progress
    void dragRelease();                           // the end of a drag
    // The menu item named `item` chosen; false when the window has no such item.
    bool menu(std::string_view item);
    void choose(const MenuEntry& item);
    void mouseDown(int button); // 1 left, 2 right
    void closeRequest() override;
    void setState(WindowState state);
    void f1() override;
    // A key sent to the window itself, not to a field, does nothing.
    void key(int /*keyCode*/) override {}
    // A click on a field or a button.
    bool click(std::string_view control) override;

    void dump(std::ostream& out) const override;

    // A data error in the window's tables shows when the window is built, never at the first
    // Enter: names are unique, every field and procedure a chain names exists, the gauge has
    // its captions. Throws std::invalid_argument naming the window and the fault.
    virtual void checkTables() const;
    // Every unit field as one line "label<TAB>text", in the order of the field table; the
    // label without the blanks that pad it on the screen. What "copy the window" puts on the
    // clipboard.
    std::string fieldsText() const;

protected:
    // The window module's procedures, listed in the order of their numbers, and the chain
    // that Enter runs in each field. Throws std::invalid_argument for a procedure listed out
    // of its place or a field that is none.
    void install(std::vector<Procedure> procedures, std::vector<rows::EnterRow> enterRows);

    void run(const Chain& chain);
    int procedureCount() const { return static_cast<int>(m_procedures.size()); }
    void setFieldColour(int field, Colour colour);
    void setButtonColour(int button, Colour colour);
    void setCaption(std::string_view label, const std::string& caption);
    void beep();
    Slider& gauge() { return m_slider; }
    // What a window module tells when it puts another value in place of the one that an
    // Enter gave, for the window's note; outside an Enter nobody asks.
    void noteChange(ValueChange change) { m_change = std::move(change); }

    // Hooks of the window module.
    virtual void enter(int field);
    virtual void rangeButton(int /*button*/) {}
    virtual void sliderChange() {}
    virtual void sliderScroll() {}
    // Extra dump lines after the gauge's.
    virtual void dumpExtra(std::ostream& /*out*/) const {}

private:
    void helpAt(int topic);
    // An edit in the window: the window's note has told its story.
    void edited();

    Layout m_layout;
    std::vector<Chain> m_enterChains;    // by field index; empty: no chain
    std::vector<Procedure> m_procedures; // by procedure number
    FrameModel m_frame;
    std::vector<MenuEntry> m_menus;
    MenuEntry m_popup;
    int m_helpTopic;
    std::vector<std::string> m_texts;
    std::vector<std::string> m_notes; // by field: inputNote
    std::string m_windowNote;
    int m_windowNoteField = -1;
    std::optional<ValueChange> m_change; // during an Enter
    std::vector<Colour> m_fieldColours;
    std::vector<Colour> m_buttonColours;
    std::vector<std::string> m_captions; // by label index
    Slider m_slider;
};

} // namespace mezura
