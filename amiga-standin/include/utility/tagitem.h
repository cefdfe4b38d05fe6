#ifndef UTILITY_TAGITEM_H
#define UTILITY_TAGITEM_H

#include <exec/types.h>
#include <type_traits>

typedef ULONG Tag;

struct TagItem {
    Tag ti_Tag;
    ULONG ti_Data;
};

#define TAG_DONE 0UL
#define TAG_END 0UL
#define TAG_IGNORE 1UL
#define TAG_MORE 2UL
#define TAG_SKIP 3UL
#define TAG_USER (1UL << 31)

/* FilterTagItems() logic */
#define TAGFILTER_AND 0
#define TAGFILTER_NOT 1

namespace standin {

/* Each argument of a variadic tag or method call becomes one ULONG: pointers by their address,
 * integers and enumerations by value (negative values sign-extended, as LONG would read them). */
template <typename T>
inline ULONG tag_value(T v)
{
    if constexpr (std::is_null_pointer_v<T>) {
        return 0;
    } else if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<ULONG>(v);
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<ULONG>(v);
    } else {
        static_assert(std::is_integral_v<T>, "a tag value must be an integer, an enumeration or a pointer");
        return static_cast<ULONG>(v);
    }
}

/* A tag list built from the arguments of a variadic call: tag, data, tag, data, ...  A TAG_DONE is
 * always appended, so the list is terminated even when the caller's last tag has no data. */
template <std::size_t N>
struct TagList {
    static constexpr std::size_t pairs = (N + 1) / 2;
    struct TagItem items[pairs + 1];

    template <typename... A>
    explicit TagList(A... args)
    {
        const ULONG values[] = {tag_value(args)..., 0UL};
        for (std::size_t p = 0; p < pairs; ++p) {
            items[p].ti_Tag = values[2 * p];
            items[p].ti_Data = (2 * p + 1 < N) ? values[2 * p + 1] : 0UL;
        }
        items[pairs].ti_Tag = TAG_DONE;
        items[pairs].ti_Data = 0;
    }
    struct TagItem *get() { return items; }
};

/* A method message built from the arguments of a variadic DoMethod-style call: MethodID followed by
 * one ULONG per argument, laid out as the method's message structure. */
template <std::size_t N>
struct MethodMsg {
    ULONG words[N == 0 ? 1 : N];

    template <typename... A>
    explicit MethodMsg(A... args) : words{tag_value(args)...} {}
    APTR get() { return words; }
};

} // namespace standin

#endif
