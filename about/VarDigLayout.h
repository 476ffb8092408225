#pragma once
// Where the version dialog puts its controls: everything follows from the measured sizes of its
// two labels and buttons, and from whether it has credits and a web page list.

namespace rotenu {

struct VarDigSize {
    int width = 0;
    int height = 0;
};

struct VarDigRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const VarDigRect&, const VarDigRect&) = default;
};

struct VarDigMeasures {
    VarDigSize image1{32, 32};
    VarDigSize label1; // the About text, sized to its lines
    VarDigSize label2; // the credits, sized to its lines (an empty text measures as one space)
    VarDigSize bitBtn1{75, 25};
    VarDigSize bitBtn2{75, 25};
    int comboBox1Height = 20;
    bool hasCredits = true;
    bool hasWebPages = true;
};

struct VarDigLayout {
    VarDigRect label1;
    VarDigRect label2;
    VarDigRect comboBox1;
    VarDigRect bitBtn1;
    VarDigRect bitBtn2;
    bool comboBox1Visible = true;
    bool bitBtn2Visible = true;
    int clientWidth = 0;
    int clientHeight = 0;
    friend bool operator==(const VarDigLayout&, const VarDigLayout&) = default;
};

// The design places that the layout keeps: the icon, the About text, and the left edge of the
// credits and of the list.
inline constexpr int kVarDigMargin = 8;
inline constexpr int kVarDigLabel1Left = 48;

VarDigLayout ComputeVarDigLayout(const VarDigMeasures& measures);

} // namespace rotenu
