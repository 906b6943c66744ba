#pragma once

#include <QString>

#include <optional>

// The numbers of the server's flood quota that the sending side keeps to, as the user sets
// them in Options > Flood Protection. The defaults are those of a server with its stock
// settings: a line costs one unit per started 40 bytes, and the units of the last 5 seconds
// must stay below 5. A line of 160 bytes costs 4 units, the most a line may cost.
struct FloodLimits {
    int wrapBytes = 40;
    int units = 5;
    int windowSeconds = 5;
    int longestLine = 160;
    bool enabled = true;
};

// The four numbers as typed and the switch. Whole decimal numbers in their ranges only;
// with the protection on, a line of the longest length must cost fewer units than the limit
// (or the server would refuse every such line). On success the limits, otherwise the message
// that names what is wrong.
struct FloodLimitsOrError {
    std::optional<FloodLimits> limits;
    QString error;
};
FloodLimitsOrError parseFloodLimits(const QString& wrapBytes, const QString& units,
                                    const QString& windowSeconds, const QString& longestLine,
                                    bool enabled);
