#pragma once
// The tips of the day: a fixed table of short usage tips, each with the help
// topic that tells more, and the stepping through it.
#include <QString>
#include <array>

namespace vorlix {

struct TTip {
    int HelpContext;  // 0: no further help
    QString Text;
};

constexpr int kTipCount = 25;
const std::array<TTip, kTipCount>& Tips();
// Next and previous index, wrapping around the table.
int NextTip(int index);
int PreviousTip(int index);

inline const QString kHomePage = "https://chessvorlix.example.org/";
inline const QString kMailAddress = "mailto:support@chessvorlix.example.org";

}  // namespace vorlix
