// What the settings reach up to.
