#!/usr/bin/env bash
# bench/digitalapply/makegame.sh DIR [PROGRAM] — makes the world of the digital apply benchmark
# in DIR (which must not exist yet):
#   DIR/game/Music/Digital  Config.txt shaped like the official client's index (103 numbered
#                           tracks, every number naming a file of its own) and the 103 tracks,
#                           about 3 MB each, mostly named in another case on disk than in the index
#   DIR/orig                the same tracks as they were, to put the game back between rounds
#   DIR/tunes               103 other files of about 3 MB, named as the tracks on disk
#   DIR/prog                the program (PROGRAM, hard-linked or copied) and its melodeck.ini with
#                           the configuration "Bench" giving each track the tune of its name
# The files are random bytes behind an MPEG-1 Layer III frame header; a copy does not look further.
# With TUNES=wav the tunes are WAV files instead (DIR/tunes/<name>.wav, SECONDS_PER_TUNE long, default 60,
# 16-bit stereo noise at 44.1 kHz), which an apply converts to MP3.
set -euo pipefail
dir=$1
program=${2:-}
mkdir "$dir"
mkdir -p "$dir/game/Music/Digital" "$dir/orig" "$dir/tunes" "$dir/prog"
here=$(cd "$(dirname "$0")" && pwd)

# The official index's names; a name that an earlier number already gave becomes a file of its
# own ("turfin" on 1 is "turfin_1"), so that there are 103 distinct tracks.
names=(turfin turfin turfin turfin turfin turfin turfin turfin stones1 britainpos britain1 bucsden
  jhelom lbc linelle newmagincia minocpos valoriapos ambrosia stones scarabreapos trinsicpos vesper1
  yew1 yewpos dungeon dragonshi citynightedit walking citynightedit walking citynightedit boattravel
  citynightedit tavern1 tavern2 tavern3 pubtune goodevil humanoids gargoyles turfin deathtune victory
  overlordv2 nujelm ragonslo cove moonglowpos zento tokunodungeon taiko dread_horn_area elf_city_1
  grizzle_dungeon melisandes_lair paroxysmus_lair ConversationWithGwenno.mp3 GoodEndGame.mp3
  GoodVsEvil.mp3 GreatEarthSerpentsTheme.mp3 HumanoidsU9.mp3 MinocNegative.mp3 Paws.mp3
  SelimsBar.mp3 UltimaVIISerpentIsleCombat.mp3 ValoriaShips.mp3 TheWanderer.mp3 Castle.mp3
  Festival.mp3 Honor.mp3 Medieval.mp3 BattleOnStones.mp3 Docktown.mp3 GargoyleQueen.mp3
  GenericCombat.mp3 Holycity.mp3 HumanLevel.mp3 LoginLoop.mp3 NorthernForestBattleonStones.mp3
  PrimevalLich.mp3 QueenPalace.mp3 RoyalCity.mp3 SlasherVeil.mp3 StygianAbyss.mp3 StygianDragon.mp3
  Void.mp3 CodexShrine.mp3 AnvilStrikeInMinoc.mp3 ASkaranLullaby.mp3 BlackthornsMarch.mp3
  DupresNightInTrinsic.mp3 FayaxionAndTheSix.mp3 FlightOfTheNexus.mp3 GalehavenJaunt.mp3
  JhelomToArms.mp3 MidnightInYew.mp3 MoonglowSonata.mp3 NewMaginciaMarch.mp3 NujelmWaltz.mp3
  SherrysSong.mp3 StarlightInBritain.mp3 TheVesperMist.mp3)
loops=" 0 1 2 3 4 5 6 7 9 11 15 16 17 18 20 21 24 26 27 28 29 30 31 33 37 38 39 40 41 46 47 48 49 50 51 52 53 54 55 56 78 "

# Random bytes behind a frame header (MPEG-1 Layer III, 128 kbit/s, 44.1 kHz), size bytes long.
fake_mp3() {
  { printf '\377\373\220\144'; head -c $(($2 - 4)) /dev/urandom; } >"$1"
}

# A WAV file of $2 seconds of noise (16-bit stereo, 44,100 frames a second).
noise_wav() {
  local bytes=$(($2 * 44100 * 4))
  # A 32-bit little-endian number as printf escapes.
  le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  {
    printf "RIFF$(le32 $((bytes + 36)))WAVEfmt $(le32 16)\\x01\\x00\\x02\\x00$(le32 44100)$(le32 176400)\\x04\\x00\\x10\\x00data$(le32 $bytes)"
    head -c "$bytes" /dev/urandom
  } >"$1"
}

declare -A seen
ini="[Bench]"$'\n'
index=""
for n in "${!names[@]}"; do
  name=${names[$n]}
  base=${name%.mp3}
  [[ -n ${seen[${base,,}]:-} ]] && base="${base}_$n"
  seen[${base,,}]=1
  written=$base
  [[ $name == *.mp3 ]] && written="$base.mp3"
  line="$n $written"
  [[ $loops == *" $n "* ]] && line="$line,loop"
  index+="$line"$'\r\n'
  # On disk in the case the official files have: the short names capitalized.
  disk="$base.mp3"
  [[ $name == *.mp3 ]] || disk="${base^}.mp3"
  size=$((3000000 + (n * 7919) % 250000))
  fake_mp3 "$dir/game/Music/Digital/$disk" "$size"
  if [[ ${TUNES:-mp3} == wav ]]; then
    tune="${disk%.mp3}.wav"
    noise_wav "$dir/tunes/$tune" "${SECONDS_PER_TUNE:-60}"
  else
    tune=$disk
    fake_mp3 "$dir/tunes/$tune" $((size + 1000))
  fi
  ini+="${base,,}.mp3=Z:$dir/tunes/$tune"$'\n'
done
printf '%s' "$index" >"$dir/game/Music/Digital/Config.txt"
printf '%s' "$ini" >"$dir/prog/melodeck.ini"
cp -p "$dir/game/Music/Digital/"*.mp3 "$dir/orig/"
if [[ -n $program ]]; then
  ln "$program" "$dir/prog/melodeck" 2>/dev/null || cp "$program" "$dir/prog/melodeck"
fi
