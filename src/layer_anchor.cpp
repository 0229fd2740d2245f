// Gives every layer library at least one translation unit while its folder is still empty.
namespace qx::detail {
[[maybe_unused]] static constexpr int kLayerAnchor = 0;
}
