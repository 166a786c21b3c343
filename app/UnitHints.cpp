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
