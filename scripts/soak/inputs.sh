# Random input for the soak (sourced by scripts/soak.sh): keys, drags, wheel
# turns, double-clicks and hovers over the main window's view, menu commands
# and accelerators read from the command table, and what the dialogs get typed.
# Needs from soak.sh: main_window, app_title, run_dir, saves_dir, logs, table,
# started, the counters, and check_program, which waits until the program has
# handled the input sent.
# shellcheck shell=bash disable=SC2154

# Keys the view and its widgets get, alone or with Shift and Ctrl. Esc is never
# sent to the main window, as the menu shows it as Exit's key and a chance Esc
# must not end the program; Alt only opens menus.
soak_keys=(Up Down Left Right Prior Next Home End Insert Delete BackSpace Tab Return space
  F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Pause plus minus comma period slash
  a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9)
soak_modifiers=("" "" "shift+" "ctrl+" "ctrl+shift+")
# Keys that do nothing the view must repaint for, so holding them for the
# auto-repeat costs no frames (a repeated Up repaints once per repeat).
soak_cheap_keys=(Left Right Home End a z 5)

# Numbers of every size and shape, names, symbols and Latin-1 letters.
soak_texts=(0 -0 +0 1 -1 42 3.25 -12.5 0.0000001 " 12 " 1e308 -1e308 1e400 -1e400 1.7976931348623157e308
  4.9e-324 1e-400 99999999999999999999999999 2147483648 -2147483649 9223372036854775808 nan inf -inf 0x1p10
  1e 1..2 --1 "1,5" e Sirius Betelgeuse Rigel Vega Antares Sol "Alpha Centauri" Sir Bet "BD+12 345"
  "CD-23 1234" "PD" "%s%n%x" "\\" "'" '"' "<&>" ";" " " "Ærø café" "ß€")

soak_random() { echo $((RANDOM % $1)); }
soak_pick() { shift $((RANDOM % $#)) && printf "%s" "$1"; }
# Sends one input through xdotool, logged with the run's second for replay.
soak_send() {
  inputs_sent=$((inputs_sent + 1))
  echo "$((SECONDS - started)) $*" >>"$logs/inputs.log"
  xdotool "$@" 2>/dev/null || true
}

# Types TEXT into the focused widget (a leading '-' is text, not an option),
# CHUNK characters at a time (2 unless given) with the program checked after
# each: the star-name edits search the whole map at every key, so keys typed
# faster than that would queue up seconds of work no typist could cause.
soak_type() {
  local text=$1 chunk=${2:-2} i
  inputs_sent=$((inputs_sent + 1))
  echo "$((SECONDS - started)) type ${text:0:100}" >>"$logs/inputs.log"
  for ((i = 0; i < ${#text}; i += chunk)); do
    printf '%s' "${text:i:chunk}" | xdotool type --delay 3 --file - 2>/dev/null || true
    check_program
  done
}

# A random point inside the view: below the menu and toolbar, above the
# status bar, whatever size the window has now.
soak_view_point() {
  local WIDTH=0 HEIGHT=0
  eval "$(xdotool getwindowgeometry --shell "$main_window" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
  if [ "$WIDTH" -le 40 ] || [ "$HEIGHT" -le 100 ]; then WIDTH=640 HEIGHT=480; fi
  echo "$((WIDTH / 20 + RANDOM % (WIDTH * 9 / 10))) $((HEIGHT / 5 + RANDOM % (HEIGHT * 13 / 20)))"
}

soak_key() {
  local modifier key
  modifier=$(soak_pick "${soak_modifiers[@]}")
  if [ "$(soak_random 10)" -eq 0 ]; then  # held through the auto-repeat
    key=$(soak_pick "${soak_cheap_keys[@]}")
    soak_send keydown "$modifier$key" sleep "0.$((7 + RANDOM % 3))" keyup "$modifier$key"
  elif [ "$(soak_random 3)" -eq 0 ]; then  # travel, the keys the view is about
    soak_send key "$modifier$(soak_pick Up Down)"
  else
    soak_opener=$modifier$(soak_pick "${soak_keys[@]}")
    soak_send key "$soak_opener"
  fi
}

soak_drag() {
  local button modifier from to i steps=$((2 + RANDOM % 6)) moves=()
  button=$(soak_pick 1 1 1 3 2)
  modifier=$(soak_pick "" "" shift ctrl)
  read -r -a from <<<"$(soak_view_point)"
  for ((i = 0; i < steps; i++)); do
    read -r -a to <<<"$(soak_view_point)"
    moves+=(mousemove --window "$main_window" "${to[0]}" "${to[1]}" sleep 0.02)
  done
  soak_send mousemove --window "$main_window" "${from[0]}" "${from[1]}" ${modifier:+keydown "$modifier"} \
    mousedown "$button" "${moves[@]}" mouseup "$button" ${modifier:+keyup "$modifier"}
}

# Wheel notches (4 up, 5 down) or double-clicks of the left or right button,
# alone or with Shift or Ctrl held.
soak_clicks() {
  local at modifier button repeat delay
  read -r -a at <<<"$(soak_view_point)"
  modifier=$(soak_pick "" "" shift ctrl)
  if [ "$(soak_random 2)" -eq 0 ]; then
    button=$(soak_pick 4 5) repeat=$((1 + RANDOM % 4)) delay=$((RANDOM % 80))
  else
    button=$(soak_pick 1 3) repeat=2 delay=$((30 + RANDOM % 60))
  fi
  soak_send mousemove --window "$main_window" "${at[0]}" "${at[1]}" \
    ${modifier:+keydown "$modifier"} click --repeat "$repeat" --delay "$delay" "$button" \
    ${modifier:+keyup "$modifier"}
}

soak_hover() {
  local at
  read -r -a at <<<"$(soak_view_point)"
  soak_send mousemove --window "$main_window" "${at[0]}" "${at[1]}"
}

# Every menu command in turn (a new shuffled round when one is done), Exit
# aside: the lines of commands.pl, "keys<TAB>id<TAB>menu text".
soak_menu_round=()
soak_menu_command() {
  if [ ${#soak_menu_round[@]} -eq 0 ]; then
    mapfile -t soak_menu_round < <(perl scripts/soak/commands.pl menus "$table" | grep -v $'\tkAppExit\t' | shuf)
    menu_rounds=$((menu_rounds + 1))
  fi
  local line=${soak_menu_round[0]} keys
  soak_menu_round=("${soak_menu_round[@]:1}")
  keys=${line%%$'\t'*}
  soak_opener="--delay 40 $keys"
  menu_commands=$((menu_commands + 1))
  # shellcheck disable=SC2086  # the keys are separate words
  soak_send key --delay 40 $keys
}

soak_accelerator() {
  local keys
  keys=$(perl scripts/soak/commands.pl accelerators "$table" | cut -f1 | grep -vx Escape | shuf -n 1)
  soak_opener=${keys:-F6}
  soak_send key "$soak_opener"
}

# The keys of the last action, which may have opened the dialog now shown.
soak_opener=''
soak_random_action() {
  soak_opener=''
  case $(soak_random 20) in
    0 | 1 | 2 | 3 | 4 | 5) soak_key ;;
    6 | 7 | 8) soak_drag ;;
    9 | 10 | 11) soak_clicks ;;
    12 | 13) soak_hover ;;
    14 | 15 | 16) soak_menu_command ;;
    17) soak_accelerator ;;
    *) soak_key ;;
  esac
}

# 10,000-character strings the dialogs get pasted: digits (a huge number),
# letters (a huge name) and a number with a long fraction.
soak_make_pastes() {
  head -c 10000 /dev/zero | tr '\0' '9' >"$run_dir/paste-digits"
  head -c 10000 <(LC_ALL=C tr -dc 'A-Za-z' </dev/urandom) >"$run_dir/paste-letters"
  { printf '1.'; head -c 9998 /dev/zero | tr '\0' '7'; } >"$run_dir/paste-fraction"
}

# Puts FILE on the clipboard through an xclip serving it until the next paste.
soak_clipboard_pid=
soak_set_clipboard() {
  [ -z "$soak_clipboard_pid" ] || kill "$soak_clipboard_pid" 2>/dev/null || true
  xclip -quiet -selection clipboard -i "$1" >/dev/null 2>&1 &
  soak_clipboard_pid=$!
  local size
  size=$(wc -c <"$1")
  for _ in $(seq 50); do
    [ "$(xclip -o -selection clipboard 2>/dev/null | wc -c)" -eq "$size" ] && return 0
    sleep 0.05
  done
  return 1
}

soak_paste() {
  if soak_set_clipboard "$1"; then
    soak_send key ctrl+v
    pastes=$((pastes + 1))
  fi
}

soak_type_text() {
  soak_send key ctrl+a BackSpace
  case $(soak_random 8) in
    0) ;;  # left empty
    1) soak_paste "$run_dir/$(soak_pick paste-digits paste-letters paste-fraction)" ;;
    *) soak_type "$(soak_pick "${soak_texts[@]}")" ;;
  esac
}

# A file dialog gets a path under the soak's own directory (new, existing, in
# a missing folder, too long a name, the folder itself, or a pasted 10,000-
# character name) and Save, or is cancelled. The first file dialogs take each
# kind once, in turn and never cancelled: their first use loads caches worth
# many MiB, which belongs before the memory baseline. soak_file_opener keeps
# the keys that opened the first, to open it again until every kind is done.
soak_file_kinds_left=(4 0 1 2 3 5)
soak_file_opener=''
soak_file_dialog_step() {
  local kind
  [ -n "$soak_file_opener" ] || soak_file_opener=$soak_opener
  if [ ${#soak_file_kinds_left[@]} -gt 0 ]; then
    kind=${soak_file_kinds_left[0]}
    soak_file_kinds_left=("${soak_file_kinds_left[@]:1}")
  elif [ "$(soak_random 4)" -eq 0 ]; then
    soak_send key Escape
    return
  else
    kind=$(soak_random 6)
  fi
  soak_send key ctrl+a BackSpace
  case $kind in
    0) soak_type "$saves_dir/view-$RANDOM.png" 20 ;;
    1) soak_type "$saves_dir/view.png" 20 ;;
    2) soak_type "$saves_dir/missing/view.png" 20 ;;
    3) soak_type "$saves_dir/$(printf '%0300d' 0).png" 50 ;;
    4) soak_type "$saves_dir/" 20 ;;
    *) soak_paste "$run_dir/paste-letters" ;;
  esac
  soak_send key Return
}

# A dialog with edits: random text into the focused field and on to the next,
# a press of Space (a check box or a button), OK, or Cancel.
soak_text_dialog_step() {
  case $(soak_random 8) in
    0 | 1 | 2 | 3)
      soak_type_text
      soak_send key "$(soak_pick Tab Tab shift+Tab)"
      ;;
    4) soak_send key space ;;
    5 | 6) soak_send key Return ;;
    *) soak_send key Escape ;;
  esac
}

# One step on dialog WINDOW, which the caller has just seen active; a step
# ending on Esc sends nothing else, so Esc never reaches the main window.
# Boxes are answered, file dialogs get a path, others random text; after
# TRIES steps on the same dialog it is cancelled.
soak_dialog_step() {
  local window=$1 tries=$2 name
  name=$(xdotool getwindowname "$window" 2>/dev/null || true)
  if [ "$tries" -ge 12 ]; then
    soak_send key Escape
  elif [[ "$name" == "$app_title" || "$name" == About* ]]; then
    soak_send key "$(soak_pick Return Escape space)"
  elif [[ "${name,,}" =~ save|open|file|export ]]; then
    file_dialog_steps=$((file_dialog_steps + 1))
    soak_file_dialog_step
  else
    soak_text_dialog_step
  fi
}
