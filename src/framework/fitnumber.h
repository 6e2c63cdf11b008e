// A number too wide for its field, shown rounded to the digits that fit, as a spreadsheet
// shows a number in a narrow cell: never its first characters, which would read as another
// number ("407407404.1…" of 407407404.148148, or "12345678.91" of 123456789123.456).
//
// The field's text stays the exact number; only what is drawn is one of these forms.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

// One way to show a number in less room.
struct RoundedForm {
    std::string text;     // "4860503.51", "1.2346E+11"
    int digits = 0;       // the significant digits it shows, trailing zeros of an integer included
    bool rounded = false; // it leaves out digits of the number, so its value is not the number's
};

// The forms a number text can be shown in, finest first: the number rounded half to even at
// each decimal place from its own last digit up to its first digit, written in plain form
// while the text itself is in plain form and in exponent form with a mantissa of as many
// digits ("E", a sign and at least two digits of exponent, as number text writes it). Where
// both forms round at the same place the plain one comes first. Trailing zeros after the
// point are left out, and a form equal to one before it is not repeated. Full-width digits and
// an input method's points and minus signs read as ASCII (foldFullWidth); blanks around the
// number are dropped, and so is a "+" sign. A text that is not one number written whole
// ("1,000", "12abc", "&H10", "1 2", "") has no forms.
//   roundedForms("4860503.508") -> 4860503.508, 4.860503508E+06, 4860503.51, 4.86050351E+06,
//                                  4860503.5, 4.8605035E+06, 4860504, 4.860504E+06, 4.8605E+06, ...
//   roundedForms("1.23456789012346E+15") -> 1.23456789012346E+15, 1.2345678901235E+15, ...
//   roundedForms("0.5") -> 0.5, 5E-01;  roundedForms("2.5") -> 2.5, 2.5E+00, 2, 2E+00
//   roundedForms("9.96") -> 9.96, 9.96E+00, 10, 1E+01
std::vector<RoundedForm> roundedForms(std::string_view text);

// What a field shows of `text` in room for which `fits` tells whether a text fits: the text
// itself where it fits, else the first of its rounded forms that fits. `found` is false when
// neither fits (a text that is no number, or a room too small even for one digit).
struct FittedNumber {
    RoundedForm form;
    bool found = false;
};
FittedNumber fitNumber(std::string_view text, const std::function<bool(std::string_view)>& fits);

} // namespace mezura
