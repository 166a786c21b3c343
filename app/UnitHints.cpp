#include "app/UnitHints.h"

#include <string>

namespace vrnnec::unithints {

const std::vector<Hint>& hints()
{
    static const std::vector<Hint> table{
        {"TGWForm", "X1Field", "begin X, m"},
        {"TGWForm", "Y1Field", "begin Y, m"},
        {"TGWForm", "Z1Field", "begin Z, m"},
        {"TGWForm", "X2Field", "end X, m"},
        {"TGWForm", "Y2Field", "end Y, m"},
        {"TGWForm", "Z2Field", "end Z, m"},
        {"TGWForm", "RadGWField", "wire radius, m"},
        {"TGWForm", "RadIsolGWField", "radius with coat, m"},
        {"TGWForm", "RadNoIsolGWField", "bare wire radius, m"},
        {"TGWForm", "FindValueField", "m"},
        {"TGWForm", "ChangeToValueField", "m"},
        {"TFormV", "LSUpDown", "zoom factor = value / 10; 10 shows the whole model"},
        {"TFormV", "UpDownX", "shift along the model's X axis, one step = 1/20 of the picture's width"},
        {"TFormV", "UpDownY", "shift along the model's Y axis, one step = 1/20 of the picture's width"},
        {"TFormV", "UpDownZ", "shift along the model's Z axis, one step = 1/20 of the picture's width"},
    };
    return table;
}

std::string_view cardFieldUnit(std::string_view card, std::string_view caption)
{
    struct Unit {
        std::string_view card, caption, unit;
    };
    // "*" stands for every card.
    static const Unit units[] = {
        {"GM", "Rot X", "degrees"}, {"GM", "Rot Y", "degrees"}, {"GM", "Rot Z", "degrees"},
        {"GM", "Mov X", "m"}, {"GM", "Mov Y", "m"}, {"GM", "Mov Z", "m"},
        {"GA", "ArcRad", "m"}, {"GA", "Ang Beg", "degrees"}, {"GA", "Ang End", "degrees"}, {"GA", "Rad", "m"},
        {"GC", "Rad Beg", "m"}, {"GC", "Rad End", "m"},
        {"GH", "Space", "m"}, {"GH", "HLX", "m"}, {"GH", "RadA1", "m"}, {"GH", "RadB1", "m"},
        {"GH", "RadA2", "m"}, {"GH", "RadB2", "m"}, {"GH", "Rad", "m"},
        {"*", "X1", "m"}, {"*", "Y1", "m"}, {"*", "Z1", "m"},
        {"SP", "X2", "m; with NStr 0: elevation of the normal, degrees"},
        {"SP", "Y2", "m; with NStr 0: azimuth of the normal, degrees"},
        {"SP", "Z2", "m; with NStr 0: patch area, square metres"},
        {"SM", "X2", "m"}, {"SM", "Y2", "m"}, {"SM", "Z2", "m"},
        {"*", "X3", "m"}, {"*", "Y3", "m"}, {"*", "Z3", "m"}, {"*", "X4", "m"}, {"*", "Y4", "m"}, {"*", "Z4", "m"},
        {"GN", "EPS", "relative permittivity"}, {"GN", "Sigma", "S/m"},
        {"GN", "F3", "m (radial length) or relative permittivity"}, {"GN", "F4", "m (radial radius) or S/m"},
        {"FR", "Freq", "MHz"}, {"FR", "Incr", "MHz, or a factor with multiplicative stepping"},
        {"LD", "F1(R)", "ohm (ohm/m for types 2, 3; S/m for type 5)"},
        {"LD", "F2(L,jX)", "H (H/m for types 2, 3; ohm of reactance for type 4)"},
        {"LD", "F3(C)", "F (F/m for types 2, 3)"},
        {"EX", "F1(V,Re)", "V"}, {"EX", "F2(V,Im)", "V"},
        {"NT", "Y11,Re", "S"}, {"NT", "Y11,Im", "S"}, {"NT", "Y12,Re", "S"}, {"NT", "Y12,Im", "S"},
        {"NT", "Y22,Re", "S"}, {"NT", "Y22,Im", "S"},
        {"TL", "Z", "ohm"}, {"TL", "Len", "m"}, {"TL", "Sh1,Re", "S"}, {"TL", "Sh1,Im", "S"},
        {"TL", "Sh2,Re", "S"}, {"TL", "Sh2,Im", "S"},
    };
    for (const Unit& u : units)
        if ((u.card == card || (u.card == "*" && (card == "SP" || card == "SM" || card == "SC")))
            && u.caption == caption)
            return u.unit;
    return {};
}

std::string_view::size_type appendHint(std::string& tip, std::string_view hint)
{
    if (hint.empty() || tip.find(hint) != std::string::npos)
        return tip.size();
    if (tip.empty())
        tip = hint;
    else
        tip += " (" + std::string(hint) + ")";
    return tip.size();
}

} // namespace vrnnec::unithints
