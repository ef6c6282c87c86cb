#pragma once
// A four-part IPv4 address entry: four number fields of up to three digits
// (0 to 255) separated by dots. Typing a dot or the third digit moves to the
// next part, Backspace in an empty part goes back to the previous one.

#include <QFrame>
#include <QString>

#include <array>

class QLineEdit;

namespace serverconf {

class IpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit IpAddressEdit(QWidget* parent = nullptr);

    // Dotted text without leading zeros ("192.168.1.30"); empty when all four
    // parts are blank; a blank part among filled ones counts as 0.
    QString text() const;

    // Shows a dotted address; parts that are not numbers stay blank, numbers
    // above 255 show as 255. An empty text blanks the field.
    void setText(const QString& address);

    void clear();
    bool isBlank() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int dotWidth() const;
    void layOutParts();
    void partEdited(int index);
    int indexOf(QObject* part) const;

    std::array<QLineEdit*, 4> parts_{};
};

}  // namespace serverconf
