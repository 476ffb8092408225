#include "about/VarDigLayout.h"

#include <algorithm>

namespace rotenu {

VarDigLayout ComputeVarDigLayout(const VarDigMeasures& m) {
    constexpr int margin = kVarDigMargin;
    VarDigLayout layout;

    // The About text ends, like the credits and the buttons, 8 pixels before the right edge.
    const int aboutWidth = m.image1.width + m.label1.width + 3 * margin;
    const int creditsWidth = m.label2.width + 2 * margin;
    const int buttonsWidth =
        m.hasWebPages ? m.bitBtn1.width + m.bitBtn2.width + 3 * margin : m.bitBtn1.width + 2 * margin;
    const int width = std::max({aboutWidth, creditsWidth, buttonsWidth});

    layout.label1 = {kVarDigLabel1Left, margin, m.label1.width + (width - aboutWidth), m.label1.height};
    layout.label2 = {margin, 0, m.label2.width + (width - creditsWidth), m.hasCredits ? m.label2.height : 0};
    layout.label2.top = std::max(m.image1.height, m.label1.height) + 2 * margin;

    layout.comboBox1 = {margin, 0, layout.label2.width, m.comboBox1Height};
    layout.comboBox1.top =
        m.hasCredits ? layout.label2.top + layout.label2.height + margin : layout.label2.top;
    layout.comboBox1Visible = m.hasWebPages;

    layout.bitBtn1 = {0, 0, m.bitBtn1.width, m.bitBtn1.height};
    layout.bitBtn2 = {0, 0, m.bitBtn2.width, m.bitBtn2.height};
    layout.bitBtn2Visible = m.hasWebPages;
    if (m.hasWebPages) {
        layout.bitBtn1.left = (width - m.bitBtn1.width - margin - m.bitBtn2.width) / 2;
        layout.bitBtn2.left = layout.bitBtn1.left + m.bitBtn1.width + margin;
        layout.bitBtn1.top = layout.comboBox1.top + m.comboBox1Height + margin;
    } else {
        // The close button stands alone in the middle; the hidden web button follows it.
        layout.bitBtn1.left = (width - m.bitBtn1.width) / 2;
        layout.bitBtn2.left = layout.bitBtn1.left + m.bitBtn1.width + margin;
        layout.bitBtn1.top = layout.comboBox1.top;
    }
    layout.bitBtn2.top = layout.bitBtn1.top;

    layout.clientWidth = width;
    layout.clientHeight = layout.bitBtn1.top + m.bitBtn1.height + margin;
    return layout;
}

} // namespace rotenu
