#include "options.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace korvell {

bool Arguments::Has(const std::string& Long) const {
    return std::any_of(Options.begin(), Options.end(),
                       [&](const auto& Option) { return Option.first == Long; });
}

std::string Arguments::Value(const std::string& Long) const {
    std::string value;
    for (const auto& [name, v] : Options)
        if (name == Long) value = v;
    return value;
}

std::optional<std::uint64_t> WholeNumber(std::string_view Text) {
    std::uint64_t value = 0;
    if (Text.empty() || Text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (ec != std::errc() || end != Text.data() + Text.size()) return std::nullopt;
    return value;
}

Arguments ScanArguments(const std::vector<std::string>& Args,
                        const std::vector<KnownOption>& Known) {
    Arguments out;
    const auto fail = [&](const std::string& Text) {
        out.Problem = Text;
        return out;
    };
    const auto find = [&](auto Match) { return std::find_if(Known.begin(), Known.end(), Match); };
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& arg = Args[i];
        if (arg == "--") {
            out.Operands.insert(out.Operands.end(), Args.begin() + static_cast<long>(i) + 1,
                                Args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            out.Operands.push_back(arg);
            continue;
        }
        // One long option, or a bundle of short ones of which only the last may take a value.
        std::vector<std::pair<const KnownOption*, std::optional<std::string>>> found;
        if (arg[1] == '-') {
            const std::size_t eq = arg.find('=');
            const std::string name = arg.substr(2, eq == std::string::npos ? eq : eq - 2);
            const auto it = find([&](const KnownOption& O) { return O.Long == name; });
            if (it == Known.end()) return fail("unknown option '--" + name + "'");
            found.emplace_back(&*it, eq == std::string::npos ? std::nullopt
                                                             : std::optional(arg.substr(eq + 1)));
        } else {
            for (std::size_t k = 1; k < arg.size(); ++k) {
                const auto it = find([&](const KnownOption& O) { return O.Short == arg[k]; });
                if (it == Known.end()) return fail("unknown option '-" + arg.substr(k, 1) + "'");
                const bool rest = it->TakesValue && k + 1 < arg.size();
                found.emplace_back(&*it, rest ? std::optional(arg.substr(k + 1)) : std::nullopt);
                if (it->TakesValue) break;
            }
        }
        for (auto& [option, value] : found) {
            const std::string name = "'--" + option->Long + "'";
            if (!option->TakesValue && value) return fail("option " + name + " takes no value");
            if (option->TakesValue && !value && i + 1 < Args.size()) value = Args[++i];
            if (option->TakesValue && (!value || value->empty()))
                return fail("option " + name + " needs a value");
            if (option->TakesValue && out.Has(option->Long))
                return fail("option " + name + " given twice");
            out.Options.emplace_back(option->Long, value.value_or(""));
        }
    }
    return out;
}

} // namespace korvell
