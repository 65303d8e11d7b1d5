"""Runs Windows programs under Wine with a private display and pseudo-terminal COM ports."""
