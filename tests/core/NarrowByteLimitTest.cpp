#include "core/NarrowByteLimit.h"

#include <gtest/gtest.h>

#include <string>

// A 30-byte limit, as the alias field has.
TEST(NarrowByteLimitTest, KeepsWhatFitsOfAnInsertion) {
    const NarrowByteLimit limit(30);
    const std::u16string a30(30, u'a');
    const std::u16string hanzi15(15, u'中');
    const struct {
        std::u16string before, after, expected;
        std::size_t caret;
    } cases[] = {
        {a30, a30 + u"b", a30, 30},                                  // a 31st letter
        {hanzi15, hanzi15 + u"a", hanzi15, 15},
        {u"a", u"a" + hanzi15, u"a" + std::u16string(14, u'中'), 15},  // no half character
        {u"ab", u"a" + std::u16string(40, u'x') + u"b", u"a" + std::u16string(28, u'x') + u"b", 29},
        {u"", std::u16string(20, u'中'), hanzi15, 15},                 // a pasted text
        {std::u16string(29, u'a'), std::u16string(29, u'a') + u"b\U0001F600", std::u16string(29, u'a') + u"b", 30},
        {std::u16string(31, u'a'), std::u16string(32, u'a'), a30, 30},  // already too long
        // Outside the code page: two bytes a character, a pair never split.
        {u"", std::u16string(29, u'a') + u"\U0001F600", std::u16string(29, u'a'), 29},
        {u"", std::u16string(28, u'a') + u"\U0001F600b", std::u16string(28, u'a') + u"\U0001F600", 30},
        {u"", std::u16string(16, u'\u0109'), std::u16string(15, u'\u0109'), 15},
    };
    for (const auto& c : cases) {
        const NarrowByteLimit::Fitted fitted = limit.fit(c.before, c.after);
        EXPECT_EQ(fitted.text, c.expected);
        EXPECT_EQ(fitted.caret, c.caret);
    }
    // A surrogate pair at the budget's edge is kept or dropped whole (the
    // code page makes one '?' or two of it).
    const std::u16string a29(29, u'a');
    const NarrowByteLimit::Fitted pair = limit.fit(a29, a29 + u"\U0001F600");
    EXPECT_TRUE(pair.text == a29 || pair.text == a29 + u"\U0001F600");
    EXPECT_EQ(pair.caret, pair.text.size());
    EXPECT_TRUE(limit.fits(a30));
    EXPECT_FALSE(limit.fits(a30 + u"b"));
}
