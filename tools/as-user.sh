# Sourced by the set-up scripts. Under sudo, runs a command as the invoking user, so that the
# build tree and ~/.vorpenrc7000 stay theirs; as plain root or as a user it runs the command as is.
as_user() {
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
        runuser -u "$SUDO_USER" -- "$@"
    else
        "$@"
    fi
}
