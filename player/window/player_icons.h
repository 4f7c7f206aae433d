#pragma once
// The pictures of the player's toolbar buttons and its window icon, drawn at start-up.
#include <QIcon>

namespace player {

enum class PlayerIcon { Play, Pause, Previous, Next, SoundOn, SoundOff, Quit, Window };

QIcon playerIcon(PlayerIcon icon);

} // namespace player
