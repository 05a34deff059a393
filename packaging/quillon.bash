# bash completion for quillon: its options, then the files it compares
# (.txt, .htm, .html) and the folders that lead to them.

_quillon() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  # --output=DIR arrives as three words: the option, "=", the value.
  if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
    prev=${COMP_WORDS[COMP_CWORD-2]}
  elif [[ $cur == = ]]; then
    prev=$prev cur=
  fi
  case $prev in
    -o | --output)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return ;;
    --width | --site | --part-size | --jobs)
      COMPREPLY=()
      return ;;
  esac
  local word options=1
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    [[ $word == -- ]] && options=
  done
  if [[ $options && $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W '-o --output= --width= --site= --part-size= -q
      --quiet --jobs= -h --help --version --' -- "$cur")
    [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    return
  fi
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -d -- "$cur"
    compgen -f -X '!*.[tT][xX][tT]' -- "$cur"
    compgen -f -X '!*.[hH][tT][mM]' -- "$cur"
    compgen -f -X '!*.[hH][tT][mM][lL]' -- "$cur")
}
complete -F _quillon quillon
