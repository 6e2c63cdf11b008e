#include "framework/window.h"

#include "framework/app.h"

#include <stdexcept>
#include <utility>

namespace mezura {

namespace {
template <typename T> int indexOf(const std::vector<T>& rows, std::string_view name)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Slider initialSlider(const Layout& layout)
{
    if (layout.sliders.empty()) {
        return Slider(0, 0, 0);
    }
    // The thumb stands at 0 when a window is created.
    return Slider(layout.sliders.front().min, layout.sliders.front().max, 0);
}
} // namespace

ConversionWindow::ConversionWindow(App& app, const FrameSpec& frame, Layout layout)
    : Form(app, frame.name)
    , m_layout(std::move(layout))
    , m_frame(frame)
    , m_menus(menuBar(app.windows(), frame))
    , m_popup(popupMenu(frame))
    , m_helpTopic(frame.helpTopic)
    , m_texts(m_layout.fields.size())
    , m_notes(m_layout.fields.size())
    , m_slider(initialSlider(m_layout))
{
    for (const FieldSpec& field : m_layout.fields) {
        m_fieldColours.push_back(field.colour);
    }
    for (const ButtonSpec& button : m_layout.buttons) {
        m_buttonColours.push_back(button.colour);
    }
    for (const LabelSpec& label : m_layout.labels) {
        m_captions.push_back(label.caption);
    }
    m_enterChains.resize(m_layout.fields.size());
    m_slider.onChange = [this] { sliderChange(); };
    m_slider.onScroll = [this] { sliderScroll(); };
}

const std::string& ConversionWindow::text(int field) const
{
    return m_texts.at(static_cast<std::size_t>(field));
}

void ConversionWindow::setText(int field, const std::string& text)
{
    m_texts.at(static_cast<std::size_t>(field)) = text;
    // The note told what became of the text that was there.
    m_notes[static_cast<std::size_t>(field)].clear();
}

const std::string& ConversionWindow::inputNote(int field) const
{
    return m_notes.at(static_cast<std::size_t>(field));
}

int ConversionWindow::fieldIndex(std::string_view name) const
{
    return indexOf(m_layout.fields, name);
}

int ConversionWindow::buttonIndex(std::string_view name) const
{
    return indexOf(m_layout.buttons, name);
}

Colour ConversionWindow::fieldColour(int field) const
{
    return m_fieldColours.at(static_cast<std::size_t>(field));
}

Colour ConversionWindow::buttonColour(int button) const
{
    return m_buttonColours.at(static_cast<std::size_t>(button));
}

const std::string& ConversionWindow::caption(std::string_view label) const
{
    const int index = indexOf(m_layout.labels, label);
    if (index < 0) {
        throw std::invalid_argument("no label " + std::string(label));
    }
    return m_captions[static_cast<std::size_t>(index)];
}

void ConversionWindow::setFieldColour(int field, Colour colour)
{
    m_fieldColours.at(static_cast<std::size_t>(field)) = colour;
}

void ConversionWindow::setButtonColour(int button, Colour colour)
{
    m_buttonColours.at(static_cast<std::size_t>(button)) = colour;
}

void ConversionWindow::setCaption(std::string_view label, const std::string& caption)
{
    const int index = indexOf(m_layout.labels, label);
    if (index < 0) {
        throw std::invalid_argument("no label " + std::string(label));
    }
    m_captions[static_cast<std::size_t>(index)] = caption;
}

void ConversionWindow::beep()
{
    app().host().beep(*this);
}

void ConversionWindow::run(const Chain& chain)
{
    runChain(*this, chain, [this](int procedure) { m_procedures.at(static_cast<std::size_t>(procedure)).run(); });
}

void ConversionWindow::install(std::vector<Procedure> procedures, std::vector<rows::EnterRow> enterRows)
{
    for (std::size_t i = 0; i < procedures.size(); ++i) {
        if (procedures[i].number != static_cast<int>(i) || !procedures[i].run) {
            throw std::invalid_argument(name() + ": procedure " + std::to_string(procedures[i].number) +
                                        " listed in place " + std::to_string(i));
        }
    }
    m_procedures = std::move(procedures);
    for (rows::EnterRow& row : enterRows) {
        if (row.field < 0 || row.field >= static_cast<int>(m_enterChains.size())) {
            throw std::invalid_argument(name() + ": Enter chain of no field " + std::to_string(row.field));
        }
        m_enterChains[static_cast<std::size_t>(row.field)] = std::move(row.chain);
    }
}

namespace {
template <typename T> void expectUniqueNames(const std::vector<T>& rows, const std::string& where)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name.empty() || indexOf(rows, rows[i].name) != static_cast<int>(i)) {
            throw std::invalid_argument(where + ": name \"" + rows[i].name + "\" empty or twice");
        }
    }
}
} // namespace

void ConversionWindow::checkTables() const
{
    expectUniqueNames(m_layout.fields, name() + " fields");
    expectUniqueNames(m_layout.buttons, name() + " buttons");
    expectUniqueNames(m_layout.labels, name() + " labels");
    const int fields = static_cast<int>(m_layout.fields.size());
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        const FieldSpec& field = m_layout.fields[i];
        if (field.id != static_cast<int>(i)) {
            throw std::invalid_argument(name() + ": field " + field.name + " stands in place " + std::to_string(i) +
                                        " of the table, its number is " + std::to_string(field.id));
        }
        // Its tooltip, its name for assistive technology and its row in the help need them.
        if (*field.unit.group == '\0' || *field.unit.relation == '\0' || *field.unit.words == '\0') {
            throw std::invalid_argument(name() + ": field " + field.name + " has no unit group, relation or words");
        }
        if (!field.box.empty() && indexOf(m_layout.boxes, field.box) < 0) {
            throw std::invalid_argument(name() + ": field " + field.name + " in no box " + field.box);
        }
        const Chain& chain = m_enterChains[i];
        if (!chain.empty() && !field.typing) {
            throw std::invalid_argument(name() + ": Enter chain in the display field " + field.name);
        }
        checkChain(chain, fields, static_cast<int>(m_procedures.size()), name() + ": Enter in " + field.name);
    }
    if (hasGauge() && (indexOf(m_layout.labels, "IndMin") < 0 || indexOf(m_layout.labels, "IndMax") < 0)) {
        throw std::invalid_argument(name() + ": a gauge without the captions IndMin and IndMax");
    }
}

void ConversionWindow::enter(int field)
{
    run(m_enterChains.at(static_cast<std::size_t>(field)));
}

void ConversionWindow::edited()
{
    m_windowNote.clear();
    m_windowNoteField = -1;
}

void ConversionWindow::typeText(int field, const std::string& text)
{
    edited();
    setText(field, text);
}

void ConversionWindow::keyPress(int field, int keyCode)
{
    const FieldSpec& row = m_layout.fields.at(static_cast<std::size_t>(field));
    if (keyCode != 13 || !row.typing || app().ended()) {
        return;
    }
    // What the chain reads of the typed text is told once the chain has run (a chain may
    // write the typed field itself).
    const std::string typed = text(field);
    std::string note = unreadInputNote(typed);
    m_change.reset();
    guarded([&] { enter(field); });
    m_notes[static_cast<std::size_t>(field)] = std::move(note);
    m_windowNote = enterNote(typed, m_change, text(field));
    m_windowNoteField = m_windowNote.empty() ? -1 : field;
    m_change.reset();
}

void ConversionWindow::clickField(int field)
{
    if (m_layout.fields.at(static_cast<std::size_t>(field)).typing) {
        edited();
        setText(field, "");
    }
}

void ConversionWindow::clickButton(int button)
{
    if (m_layout.buttons.at(static_cast<std::size_t>(button)).role == ButtonRole::Help) {
        helpAt(m_frame.row().helpTopic);
        return;
    }
    edited();
    guarded([&] { rangeButton(button); });
}

bool ConversionWindow::click(std::string_view control)
{
    if (const int field = fieldIndex(control); field >= 0) {
        clickField(field);
    } else if (const int button = buttonIndex(control); button >= 0) {
        clickButton(button);
    } else {
        return false;
    }
    return true;
}

void ConversionWindow::slide(int position)
{
    if (hasGauge()) {
        edited();
        guarded([&] { m_slider.userMove(position); });
    }
}

void ConversionWindow::drag(const std::vector<int>& positions)
{
    if (hasGauge()) {
        edited();
        guarded([&] { m_slider.userDrag(positions); });
    }
}

void ConversionWindow::dragTo(int position)
{
    if (hasGauge()) {
        edited();
        guarded([&] { m_slider.userScroll(position); });
    }
}

void ConversionWindow::dragRelease()
{
    if (hasGauge()) {
        edited();
        guarded([&] { m_slider.userRelease(); });
    }
}

namespace {
const MenuEntry* findItem(const std::vector<MenuEntry>& entries, std::string_view name)
{
    for (const MenuEntry& entry : entries) {
        if (entry.name == name) {
            return &entry;
        }
        if (const MenuEntry* found = findItem(entry.items, name)) {
            return found;
        }
    }
    return nullptr;
}
} // namespace

bool ConversionWindow::menu(std::string_view item)
{
    const MenuEntry* found = findItem(m_menus, item);
    if (found == nullptr) {
        found = findItem(m_popup.items, item);
    }
    if (found == nullptr || found->command == MenuCommand::None) {
        return false;
    }
    choose(*found);
    return true;
}

void ConversionWindow::choose(const MenuEntry& item)
{
    switch (item.command) {
    case MenuCommand::None:
        break;
    case MenuCommand::ShowWindow:
        app().showAndFocus(*item.window);
        break;
    case MenuCommand::ShowAll:
        app().showAll();
        break;
    case MenuCommand::ShowSettings:
        app().settings().setVisible(true);
        break;
    case MenuCommand::SwitchSize:
        m_frame.frameSwitch();
        break;
    case MenuCommand::CommonHelp:
        helpAt(kCommonHelpTopic);
        break;
    case MenuCommand::WindowHelp:
        helpAt(m_frame.row().helpTopic);
        break;
    case MenuCommand::Quit:
        app().quit();
        break;
    }
}

void ConversionWindow::mouseDown(int button)
{
    if (button == 2) {
        app().host().showPopup(*this);
    } else {
        m_frame.frameSwitch();
    }
}

void ConversionWindow::closeRequest()
{
    app().closeRequest(*this);
}

void ConversionWindow::setState(WindowState state)
{
    m_frame.setState(state);
}

void ConversionWindow::f1()
{
    app().host().openHelp(m_helpTopic);
}

void ConversionWindow::helpAt(int topic)
{
    // The window keeps the topic, so a later F1 in it opens the same one.
    m_helpTopic = topic;
    f1();
}

std::string ConversionWindow::fieldsText() const
{
    std::string lines;
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        const std::string label = shownLabel(m_layout.fields[i].label);
        lines += label + '\t' + m_texts[i] + '\n';
    }
    return lines;
}

void ConversionWindow::dump(std::ostream& out) const
{
    const std::string& w = name();
    out << w << ".visible=" << (visible() ? 1 : 0) << '\n';
    out << w << ".mode=" << m_frame.mode() << '\n';
    out << w << ".size=" << m_frame.size().width << 'x' << m_frame.size().height << '\n';
    out << w << ".state=" << stateName(m_frame.state()) << '\n';
    for (std::size_t i = 0; i < m_layout.fields.size(); ++i) {
        out << w << '.' << m_layout.fields[i].name << '=' << m_texts[i] << '\n';
    }
    if (!hasGauge()) {
        return;
    }
    out << w << ".min=" << m_slider.min() << '\n';
    out << w << ".max=" << m_slider.max() << '\n';
    out << w << ".value=" << m_slider.value() << '\n';
    out << w << ".IndMin=" << caption("IndMin") << '\n';
    out << w << ".IndMax=" << caption("IndMax") << '\n';
    std::string highlighted = "none";
    for (std::size_t i = 0; i < m_layout.buttons.size(); ++i) {
        if (m_layout.buttons[i].role == ButtonRole::Range && m_buttonColours[i] == kHighlight) {
            highlighted = m_layout.buttons[i].name;
            break;
        }
    }
    out << w << ".highlight=" << highlighted << '\n';
    dumpExtra(out);
}

} // namespace mezura
