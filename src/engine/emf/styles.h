// What a report page is drawn with: fonts, alignment, pens and brushes. Kept
// apart from the writer and the player so that report definitions can name
// them without pulling in either.
#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <cstddef>

namespace accrua::engine::emf {

// Copies of one font share the family's characters: no need to compare them.
inline bool sameFamily(const QString &a, const QString &b)
{
    return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 8;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec &a, const FontSpec &b)
    {
        return a.pointSize == b.pointSize && a.bold == b.bold && a.italic == b.italic &&
               sameFamily(a.family, b.family);
    }
};

// What was found for the few styles (family, bold, italic) a page uses over
// and over, so that their family names are neither resolved nor hashed
// again: the one found last is checked first. The family is kept, so that
// its characters stay where they are.
template <class T, std::size_t N = 4> class RecentStyles {
public:
    T *find(const FontSpec &font)
    {
        if (matches(m_slots[m_last], font))
            return m_slots[m_last].value;
        for (std::size_t i = 0; i < N; ++i)
            if (matches(m_slots[i], font)) {
                m_last = i;
                return m_slots[i].value;
            }
        return nullptr;
    }
    void remember(const FontSpec &font, T *value)
    {
        m_slots[m_next] = Slot{font.family, font.bold, font.italic, value};
        m_last = m_next;
        m_next = (m_next + 1) % N;
    }
    void clear() { m_slots = {}; }

private:
    struct Slot {
        QString family;
        bool bold = false, italic = false;
        T *value = nullptr;
    };
    static bool matches(const Slot &s, const FontSpec &font)
    {
        return s.value && s.bold == font.bold && s.italic == font.italic && sameFamily(s.family, font.family);
    }
    std::array<Slot, N> m_slots{};
    std::size_t m_last = 0, m_next = 0;
};

enum class HAlign { Left, Center, Right };

struct PenSpec {
    QColor color = Qt::black;
    double width = 1; // page pixels
    bool null = false;
};

struct BrushSpec {
    QColor color = Qt::white;
    bool null = false;
};

} // namespace accrua::engine::emf
