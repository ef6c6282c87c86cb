#pragma once
// The values a read-out did not bring, as the property dialog marks them: a
// field or list shows nothing, with a placeholder and a tooltip, until the
// user gives a value (types it, chooses it, loads it from a file key or sets
// it in an advanced dialog). OK leaves the set requests of marked values
// out; Save refuses while any is marked.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>

class QLineEdit;

namespace serverconf {

class ParameterChoiceBox;

// The name the dialogs give a parameter ("网络掩码" for NM), by get tag.
QString parameterName(int getTag);
// The names of `getTags` in tag order, joined with "、".
QString parameterNames(const QList<int>& getTags);

class NotReadMarks {
public:
    explicit NotReadMarks(const QList<int>& notReadTags);

    // Marks the widget that shows `getTag` while it is not read, and takes
    // the user's typing or choice there as a value given.
    void watch(int getTag, QLineEdit* field);
    void watch(int getTag, ParameterChoiceBox* list);

    // A value was given for `getTag`: its mark goes.
    void give(int getTag);

    const QSet<int>& tags() const { return tags_; }
    bool isEmpty() const { return tags_.isEmpty(); }
    // The names of the marked values in tag order.
    QString names() const;

private:
    template <typename Widget, typename Signal>
    void mark(int getTag, Widget* widget, Signal given);

    QSet<int> tags_;
    // Takes the mark off the widget of a get tag.
    QHash<int, std::function<void()>> unmark_;
};

}  // namespace serverconf
